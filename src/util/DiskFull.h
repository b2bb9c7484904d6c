#pragma once

#include <QString>

class QFileDevice;

// True when the last failure of the device was the disk running out of space.
// The one place that knows how Qt reports ENOSPC.
bool isDiskFull(const QFileDevice &device);
// The same for a failure the system reported as an errno value.
bool isDiskFull(int errnoValue);
// What a save says when the disk is full.
QString diskFullMessage();
