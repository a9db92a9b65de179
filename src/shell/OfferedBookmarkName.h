#pragma once
// The name «Добавить закладку…» offers: what is selected, else the address
// under the middle of the visible map, else «Закладка N».
#include <QString>

#include <cstddef>

#include "render/ViewTransform.h"

struct MapCore;

// `middle` is the middle of the visible map in hit units; `count` the
// bookmarks the city has so far.  The data's texts come as UTF-8.
QString OfferedBookmarkName(MapCore& core, HitPoint middle, size_t count);
