#pragma once

#include <QtGlobal>

class QIODevice;

// Writes all size bytes or fails. A nearly full disk takes part of a write
// without an error; only the next write reports why the rest does not fit,
// so the device's error then tells a full disk from other failures.
bool writeAll(QIODevice &device, const char *data, qint64 size);
