#pragma once
// Process-wide values of one run: who works at which computer, for which hospital.
#include <QString>

struct SessionValues
{
    static constexpr int BuildNumber = 3680716;
    QString ComputerName; // host-lookup name
    QString HostAddress;  // its first IPv4 address
    QString LoginName;
    QString DoctorCode;
    QString HospitalCode;
    QString HospitalName;
    QString CurrentVn;
    int PublishedBuild = 0;
};
