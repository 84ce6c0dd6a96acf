#pragma once
// Small jobs on the HIS database and the local computer: system variables, serial numbers,
// the hospital's identity, access rights, value lists, field look-ups, and the operating
// system's computer name, temporary folder, program start and internet state.
#include <QString>

class TDSDM;
struct Platform;

// sys_var value of the name; empty when missing, and the row is then created. Reports its own
// errors ("Error : Get Variable ...") and never throws.
QString GetSysVar(TDSDM& dm, const QString& name);
// Creates the row when missing, then sets its value. Throws Error.
void SetSysVar(TDSDM& dm, const QString& name, const QString& value);
// opdconfig's hospital code and name; both are kept in dm.session.
QString GetHospitalCode(TDSDM& dm);
QString GetHospitalName(TDSDM& dm);
// Whether the logged-in user (dm.session.LoginName) has the right, or is an administrator;
// registers an unknown right in accessoperation.
bool HasAccessRight(TDSDM& dm, const QString& rightName);
// The next number of the serial, taken under a table lock that is always released.
int NextSerialNumber(TDSDM& dm, const QString& name);
// The first column of every row as an SQL value list: 3,-1,5 or 'ab','cd'.
QString QueryValueList(TDSDM& dm, const QString& sql);
// One column of the row whose key column equals keyValue (already quoted by the caller);
// "column:alias" selects column as alias.
QString LookupField(TDSDM& dm, const QString& keyColumn, const QString& keyValue,
                    const QString& columnExpression, const QString& table);
// Field n (1 to 10) of a colon-separated text; a single blank when there is no such field.
QString ColonField(const QString& text, int n);

// The operating system's computer name; throws Error("Computer name not detected").
QString GetLocalComputerName(Platform& platform);
QString GetTempFolder(Platform& platform);
QString BoolToYN(bool value);
bool RunProgram(Platform& platform, const QString& verb, const QString& file,
                const QString& parameters, const QString& folder);
bool IsInternetAvailable(Platform& platform);
