#include "UnpackProgress.h"

#include "packaging/WmzUnpacker.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

namespace UnpackProgress {

namespace {

// The bar's steps: bytes are too many for its int.
constexpr int kSteps = 1000;

int stepOf(quint64 done, quint64 total)
{
    return total == 0 ? kSteps : int(std::min<quint64>(done, total) * kSteps / total);
}

} // namespace

Outcome copy(WmzUnpacker::Unpack &unpack, const QString &archivePath, QWidget *owner)
{
    QProgressDialog dialog(u"展開しています：%1"_s.arg(QFileInfo(archivePath).fileName()),
                           u"キャンセル"_s, 0, kSteps, owner);
    dialog.setWindowTitle(WmzUnpacker::title());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    // Cancel, Escape and closing only ask the copying to stop: the window
    // stays until it has, so nothing is left half made.
    std::atomic<bool> cancelled{false};
    QObject::disconnect(&dialog, &QProgressDialog::canceled, &dialog, &QProgressDialog::cancel);
    const auto askToStop = [&] {
        cancelled = true;
        dialog.setLabelText(u"展開を取り消しています…"_s);
        dialog.show();
    };
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, askToStop);
    QObject::connect(&dialog, &QDialog::rejected, &dialog, askToStop);
    dialog.show();

    QEventLoop loop;
    bool copied = false;
    std::atomic<bool> finished{false};
    const quint64 total = unpack.totalBytes();
    std::thread worker([&] {
        quint64 done = 0;
        copied = unpack.copy([&](quint64 bytes) {
            done += bytes;
            // The bar follows each piece before the next is written, so the
            // copying never runs ahead of what the window can stop.
            QMetaObject::invokeMethod(
                &dialog, [&dialog, step = stepOf(done, total)] { dialog.setValue(step); },
                Qt::BlockingQueuedConnection);
            return !cancelled.load();
        });
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    // The application may have been told to end while the copying ran: it
    // stops first, and its pieces are still taken so that it never waits.
    if (!finished) {
        cancelled = true;
        while (!finished) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    worker.join();
    if (copied) {
        return Outcome::Copied;
    }
    return cancelled ? Outcome::Cancelled : Outcome::Failed;
}

} // namespace UnpackProgress
