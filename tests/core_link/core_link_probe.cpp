#include "document/clsFileControl.h"
#include "util/MessageSink.h"

#include <cstdio>

namespace {
class SilentSink : public MessageSink {
public:
    void showMessage(const QString &, const QString &, MessageIcon) override {}
    bool askYesNo(const QString &, const QString &) override { return false; }
};
} // namespace

// Uses the document, writer and reader so the core's code is really linked in.
int main()
{
    SilentSink sink;
    clsFileControl doc(sink);
    const bool read = doc.readFile(QString());
    std::printf("%d\n", read ? 1 : 0);
    return 0;
}
