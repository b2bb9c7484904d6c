#include "WriteAll.h"

#include <QIODevice>

bool writeAll(QIODevice &device, const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const qint64 n = device.write(data + done, size - done);
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}
