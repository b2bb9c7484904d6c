#include "Archiver.h"

Archiver::~Archiver() = default;
