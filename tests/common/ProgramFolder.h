#pragma once

#include <QString>
#include <QtGlobal>

// The build's program folder (the executable with package/, sample/, skins/).
// CTest names it in VELMORA_TEST_BIN; run by hand, a test falls back to the
// folder this build placed it in.
inline QString programFolder()
{
    const QString fromEnv = qEnvironmentVariable("VELMORA_TEST_BIN");
    return fromEnv.isEmpty() ? QStringLiteral(VELMORA_STAGE_DIR_DEFAULT) : fromEnv;
}
