#pragma once

#include "packaging/Archiver.h"

#include <memory>

// The archiver that ships with the program: it reads the packager's command
// line and list file and writes the ZIP archive itself (deflate, no folder
// entries, names in UTF-8). An existing archive is replaced only once the new
// one is complete; a failure leaves nothing behind.
std::unique_ptr<Archiver> makeBuiltInArchiver();
