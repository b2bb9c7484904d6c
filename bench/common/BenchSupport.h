#pragma once

#include "util/MessageSink.h"

#include <QElapsedTimer>
#include <QList>
#include <algorithm>
#include <cstdio>

// A benchmark has no window: the core's messages go to standard error, and
// every question is answered No.
class PrintingSink : public MessageSink {
public:
    void showMessage(const QString &text, const QString &title, MessageIcon) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    bool askYesNo(const QString &, const QString &) override { return false; }
};

// The middle one of several timed runs: one slow run does not move it.
inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// The median time of runs calls of run, in milliseconds; -1 when a call
// reports that it failed.
template <typename Run> double medianMs(int runs, Run run)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run()) {
            return -1;
        }
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}
