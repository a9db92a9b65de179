#pragma once
// The 20 x 20 pictures that mark things on the map.
#include <QImage>

#include "mapdata/IconGeometry.h"

// The built-in marker of a firm that has no picture of its own (image 1 of the
// built-in image list ImageList2): a red pin on a transparent ground.
const QImage& DefaultFirmMarker();

// A fresh transparent 20 x 20 picture.
QImage BlankListImage();

// A firm's marker from its picture: the picture drawn 1:1 at the top left of a
// transparent 20 x 20 picture and cut there.
QImage MarkerFromPicture(const QImage& picture);
