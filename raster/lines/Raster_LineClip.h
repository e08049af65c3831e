#pragma once
// Cohen-Sutherland clipping of a segment to the rectangle [0, w) x [0, h). Outcodes: 1 = left
// of 0, 2 = at or right of w, 4 = above 0, 8 = at or below h. An end point that is outside is
// moved onto the edge it crosses (codes tested in the order 8, 4, 2, 1): the crossing is
// computed at h or w and the point placed on row h - 1 or column w - 1.

// Integer segment; 64-bit so that flipped or shifted int coordinates cannot overflow. The
// crossing is x1 + trunc((x2 - x1) * (h - y1) / (y2 - y1)) in double. False when nothing is left.
bool Raster_ClipLineToSize(long long* x1, long long* y1, long long* x2, long long* y2, long long w,
                           long long h);

// Float segment: the codes are decided on the truncated coordinates, the crossings computed in
// float. Non-finite coordinates are rejected.
bool Raster_ClipFLineToSize(float* x1, float* y1, float* x2, float* y2, int w, int h);
