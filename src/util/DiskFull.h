#pragma once

class QFileDevice;

// True when the last failure of the device was the disk running out of space.
// The one place that knows how Qt reports ENOSPC.
bool isDiskFull(const QFileDevice &device);
