#include "NewCanvas.h"

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

QImage newCanvas(QSize size)
{
    QImage canvas(size, QImage::Format_RGB32);
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
    if (canvas.isNull()) {
        return canvas;
    }
    // Only whole pages that lie inside the pixels. A system that does not
    // know the advice (before Linux 5.14) refuses it: the pages then come
    // one at a time, as they would anyway.
    const auto page = quintptr(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<quintptr>(canvas.bits());
    const quintptr first = (begin + page - 1) / page * page;
    const quintptr last = (begin + quintptr(canvas.sizeInBytes())) / page * page;
    if (first < last) {
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_POPULATE_WRITE);
    }
#endif
    return canvas;
}
