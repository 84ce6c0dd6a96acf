#pragma once
// The start-up reads that tell who works at this computer, which patient is current and how
// the HIS is set up. They fill dm.session; the main window shows the results.
#include <QString>

class TDSDM;

// Finds the HIS user logged in at this computer (onlineuser by the operating system's
// computer name) and the user's staff code; returns the user's display name.
QString LoadSessionUserValues(TDSDM& dm);
// The HN the HIS published for the current patient; empty when there is none. A NULL value
// throws Error.
QString ReadCurrentHn(TDSDM& dm);
// "pname fname lname" of the patient, as the HIS concatenates it.
QString ReadPatientName(TDSDM& dm, const QString& hn);
// The staff code of the logged-in user (empty for none).
QString ReadDoctorCode(TDSDM& dm, bool trailingBlank);
// Registers this computer in comdep (key: the host-lookup name upper-cased) when it is absent.
void RegisterComputer(TDSDM& dm);
// Reads the HIS-wide settings the HIS front end reads at start (their lasting effect is the
// sys_var keys they add), checks the ADMIN right, sets HospitalCode and DoctorCode, and
// connects the separate image database when the HIS has one. Steps that fail unguarded throw.
void ReadHostSettings(TDSDM& dm);
