#pragma once
// The start-up comparison of this build with the build published for the program in sys_var,
// so every workstation learns when a newer build is out.
#include <QString>

class TDSDM;

// Publishes this build when nothing is published yet, reads the published build (sys_var
// "application_korvalen") into dm.session.PublishedBuild and answers whether it is newer than
// this one. When it is not, this build's number is written, so the published number only
// rises. A published value that is not an integer throws
// Error("'<value>' is not a valid integer value").
bool checkPublishedBuild(TDSDM& dm);
