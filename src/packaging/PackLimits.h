#pragma once

#include <QtGlobal>

// The built-in archiver's working limits, each written once.
namespace PackLimits {

// Info-ZIP's default level: most of the size gain of level 9 at a fraction
// of its time.
constexpr int kDeflateLevel = 6;
// Members up to this size are read and deflated whole on a worker thread;
// larger ones are deflated as they are written, in pieces.
constexpr qint64 kWholeMemberBytes = qint64(16) << 20;
// What the worker threads may hold read ahead of the writer: this many
// members, and this many of their bytes (one member more when the writer
// waits for it).
constexpr qsizetype kMembersAhead = 256;
constexpr qint64 kBytesAhead = qint64(64) << 20;
// The piece read at a time from a member too large to hold whole.
constexpr qsizetype kStreamPieceBytes = qsizetype(256) << 10;

} // namespace PackLimits
