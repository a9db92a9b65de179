#pragma once
// The map's icons (the object icons and the firms' markers): every picture of
// their image lists is kIconSide pixels square and is drawn centred on its
// point, so it reaches kIconHalfSide pixels from the point each way, and a
// click that near the point is on it.
constexpr int kIconSide = 20;
constexpr int kIconHalfSide = kIconSide / 2;
// How far around its point a redraw looks for an icon that may show: its half
// side and two pixels of slack, as around a line's pen.
constexpr int kIconCullReach = kIconHalfSide + 2;
