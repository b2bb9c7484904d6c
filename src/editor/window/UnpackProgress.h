#pragma once

#include <QString>

class QWidget;

namespace WmzUnpacker {
class Unpack;
}

// Copies an unpack's entries on a thread of its own while a modal progress
// window shows how far it is and offers to cancel: the window's thread keeps
// drawing, and a signal that ends the program is taken at once (the copying
// stops at its next piece).
namespace UnpackProgress {

enum class Outcome { Copied, Failed, Cancelled };

Outcome copy(WmzUnpacker::Unpack &unpack, const QString &archivePath, QWidget *owner);

} // namespace UnpackProgress
