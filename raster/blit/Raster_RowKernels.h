#pragma once
// Whole-row forms of the two hottest per-pixel rules, for rows whose source and destination do
// not overlap. Each gives exactly the bytes of the per-pixel rule it replaces; SSE2 where the
// target has it, plain loops otherwise.

#include "raster/bitmap/Raster_Pixel.h"

#include <cstdint>

// Whether the processor runs the AVX2 forms of the raster kernels; asked once per process.
bool Raster_HaveAvx2();

// _Raster_CombinePixelsCopySourceAlphaIngoreAlphaParm over n pixels: source alpha 0 keeps the
// destination, 255 writes the colour with alpha 255, otherwise with c = a + 1 every colour
// becomes (s * c + d * (256 - c)) >> 8 and alpha (c * c + alpha_d * (256 - c)) >> 8.
void Raster_RowCompositeSourceAlpha(Raster_PixelValue* __restrict dest,
                                    const Raster_PixelValue* __restrict src, int n);

// Bilinear samples written as they are (the plain-copy case) for n destination pixels whose
// source columns ix and ix + 1 both lie inside the readable area of two readable rows: top
// (the row of the sample) and below (the next one). Column i samples at the 16.16 position
// fx + i * fxStep; fy is the 16-bit fraction of the row. With c = fx * fy / 65536 (16-bit
// fractions) each channel is (p * (65536 - fx - fy + c) + right * (fx - c) + below * (fy - c)
// + belowRight * c) / 65536.
void Raster_RowBilinearInterior(Raster_PixelValue* __restrict dest, const Raster_PixelValue* top,
                                const Raster_PixelValue* below, int64_t fx, int64_t fxStep, int fy,
                                int n);

// Bilinear samples from tables, for many destination rows drawn from the same source columns.
// With A = right - p and D = belowRight - below - right + p per channel, the sum of the weight
// rule above equals exactly
//   32768 * (p + belowRight) + (fy - 32768) * (below - p) + (fx - 32768) * A + (c - 32768) * D,
// whose three factors of the form (f - 32768) fit signed 16 bits: each destination pixel is one
// multiply-add of 16-bit pairs onto a per-column base. The base depends on fy (once per row),
// A and D only on the source row pair. Available with AVX2 only (chosen at run time); callers
// use Raster_RowBilinearInterior otherwise.
bool Raster_BilinearTablesAvailable();
// Columns 0 .. n - 1 of the row pair; reads n + 1 pixels of each row. ad holds 8 values a column
// (A and D interleaved per channel), base 4. Given ad, the base pass writes the differences too,
// sharing its loads.
void Raster_BilinearPrepareDiffs(int16_t* ad, const Raster_PixelValue* top,
                                 const Raster_PixelValue* below, int n);
void Raster_BilinearPrepareBase(int32_t* base, const Raster_PixelValue* top,
                                const Raster_PixelValue* below, int fy, int n,
                                int16_t* ad = nullptr);
// n destination pixels; pixel i samples table column ix[i] with the 16-bit fraction fx[i].
void Raster_BilinearFromTables(Raster_PixelValue* __restrict dest, const int32_t* ix,
                               const uint16_t* fx, const int32_t* base, const int16_t* ad, int fy,
                               int n);
