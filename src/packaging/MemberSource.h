#pragma once

#include <QtGlobal>
#include <zip.h>

class MemberPipeline;

// A libzip source over member index of the pipeline: it hands libzip the
// member's bytes already deflated (or stored), with their size and CRC, so
// that libzip copies them into the archive as they are. Members too large to
// hold whole are deflated here, in pieces, while libzip writes them. nullptr
// on failure, with error set.
zip_source_t *makeMemberSource(MemberPipeline &pipeline, qsizetype index, zip_error_t *error);
