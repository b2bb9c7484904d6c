#include "RecordingMessageSink.h"
#include "document/clsFileControl.h"
#include "render/PreviewRenderer.h"

#include <cstdio>

// Renders an empty document so the renderer's code is really linked in.
int main()
{
    RecordingMessageSink sink;
    clsFileControl doc(sink);
    const Preview::Rendering rendering =
        Preview::renderPreview(doc, Preview::PanelState::fromDocument(doc));
    std::printf("%d\n", rendering.canvas.isNull() ? 0 : 1);
    return 0;
}
