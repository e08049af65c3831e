// Rasterised coverage written into 32-bit pixel memory, one instantiation per byte order and
// alpha kind. Solid colours and image spans arrive premultiplied.
#include "CGInternal.h"

#include <agg_image_accessors.h>
#include <agg_pixfmt_rgba.h>
#include <agg_renderer_base.h>
#include <agg_renderer_scanline.h>
#include <agg_rendering_buffer.h>
#include <agg_span_allocator.h>
#include <agg_span_converter.h>
#include <agg_span_image_filter_rgba.h>
#include <agg_span_interpolator_linear.h>

#include <cstring>
#include <new>

namespace {

// Premultiplied source over an opaque destination whose alpha byte is not used: colours are
// composited and the alpha byte of every touched pixel becomes 255.
template <class Order>
struct BlenderSkipPre : agg::conv_rgba_pre<agg::rgba8, Order> {
  typedef agg::rgba8 color_type;
  typedef Order order_type;
  typedef color_type::value_type value_type;
  typedef color_type::calc_type calc_type;
  typedef color_type::long_type long_type;

  static AGG_INLINE void blend_pix(value_type* p, value_type cr, value_type cg, value_type cb,
                                   value_type alpha, agg::cover_type cover) {
    blend_pix(p, color_type::mult_cover(cr, cover), color_type::mult_cover(cg, cover),
              color_type::mult_cover(cb, cover), color_type::mult_cover(alpha, cover));
  }
  static AGG_INLINE void blend_pix(value_type* p, value_type cr, value_type cg, value_type cb,
                                   value_type alpha) {
    p[Order::R] = color_type::prelerp(p[Order::R], cr, alpha);
    p[Order::G] = color_type::prelerp(p[Order::G], cg, alpha);
    p[Order::B] = color_type::prelerp(p[Order::B], cb, alpha);
    p[Order::A] = color_type::base_mask;
  }
};

// Scales premultiplied spans by the context's global alpha.
class SpanAlpha {
 public:
  explicit SpanAlpha(agg::int8u alpha) : m_alpha(alpha) {}
  void prepare() {}
  void generate(agg::rgba8* span, int, int, unsigned len) {
    for (unsigned i = 0; i < len; ++i) {
      span[i].r = agg::rgba8::multiply(span[i].r, m_alpha);
      span[i].g = agg::rgba8::multiply(span[i].g, m_alpha);
      span[i].b = agg::rgba8::multiply(span[i].b, m_alpha);
      span[i].a = agg::rgba8::multiply(span[i].a, m_alpha);
    }
  }

 private:
  agg::int8u m_alpha;
};

typedef agg::pixfmt_argb32_pre ImagePixfmt;
typedef agg::image_accessor_clone<ImagePixfmt> ImageAccessor;
typedef agg::span_interpolator_linear<> ImageInterpolator;

template <class PixFmt>
class RasterTarget : public CGRasterTarget {
 public:
  RasterTarget(uint8_t* data, int w, int h, int stride)
      : m_buf(data, static_cast<unsigned>(w), static_cast<unsigned>(h), stride),
        m_pixf(m_buf),
        m_ren(m_pixf) {}

  void fillSolid(CGRasterizer& ras, CGScanline& sl, agg::rgba8 c) override {
    agg::render_scanlines_aa_solid(ras, sl, m_ren, c);
  }

  void fillImage(CGRasterizer& ras, CGScanline& sl, const CGImage& image,
                 const agg::trans_affine& pixelToImage, double alpha, bool nearest) override {
    agg::rendering_buffer ibuf(
        const_cast<uint8_t*>(image.pixels.data()), static_cast<unsigned>(image.width),
        static_cast<unsigned>(image.height), static_cast<int>(image.width * 4));
    ImagePixfmt ipf(ibuf);
    ImageAccessor acc(ipf);
    agg::trans_affine mtx = pixelToImage;
    ImageInterpolator interp(mtx);
    const agg::int8u a = static_cast<agg::int8u>(alpha * 255 + 0.5);
    if (nearest) {
      agg::span_image_filter_rgba_nn<ImageAccessor, ImageInterpolator> sg(acc, interp);
      render(ras, sl, sg, a);
    } else {
      agg::span_image_filter_rgba_bilinear<ImageAccessor, ImageInterpolator> sg(acc, interp);
      render(ras, sl, sg, a);
    }
  }

  void fillRect(int x1, int y1, int x2, int y2, agg::rgba8 c) override {
    // Every pixel comes out as full coverage through the rasteriser makes it: an opaque
    // colour is stored as the pixel format stores it, anything else goes through the pixel
    // format's own blender, in plain loops over whole rows.
    typedef typename PixFmt::order_type Order;
    typedef typename PixFmt::blender_type Blender;
    const int n = x2 - x1;
    if (c.a == 255) {
      uint8_t bytes[4];
      bytes[Order::R] = c.r;
      bytes[Order::G] = c.g;
      bytes[Order::B] = c.b;
      bytes[Order::A] = c.a;
      uint32_t v;
      memcpy(&v, bytes, 4);
      for (int y = y1; y < y2; ++y) {
        uint32_t* p = reinterpret_cast<uint32_t*>(m_buf.row_ptr(y)) + x1;
        for (int i = 0; i < n; ++i) p[i] = v;
      }
      return;
    }
    for (int y = y1; y < y2; ++y) {
      agg::int8u* p = m_buf.row_ptr(y) + 4 * x1;
      for (int i = 0; i < n; ++i, p += 4) Blender::blend_pix(p, c.r, c.g, c.b, c.a);
    }
  }

  void clear(CGRasterizer& ras, CGScanline& sl) override {
    if (!ras.rewind_scanlines()) return;
    sl.reset(ras.min_x(), ras.max_x());
    while (ras.sweep_scanline(sl)) {
      uint8_t* row = m_buf.row_ptr(sl.y());
      unsigned n = sl.num_spans();
      typename CGScanline::const_iterator span = sl.begin();
      for (;; ++span) {
        uint8_t* p = row + span->x * 4;
        const agg::int8u* covers = span->covers;
        for (int i = 0; i < span->len; ++i, p += 4) {
          const agg::int8u keep = static_cast<agg::int8u>(255 - covers[i]);
          p[0] = agg::rgba8::multiply(p[0], keep);
          p[1] = agg::rgba8::multiply(p[1], keep);
          p[2] = agg::rgba8::multiply(p[2], keep);
          p[3] = agg::rgba8::multiply(p[3], keep);
        }
        if (--n == 0) break;
      }
    }
  }

 private:
  template <class SpanGen>
  void render(CGRasterizer& ras, CGScanline& sl, SpanGen& sg, agg::int8u alpha) {
    if (alpha == 255) {
      agg::render_scanlines_aa(ras, sl, m_ren, m_alloc, sg);
    } else {
      SpanAlpha sa(alpha);
      agg::span_converter<SpanGen, SpanAlpha> conv(sg, sa);
      agg::render_scanlines_aa(ras, sl, m_ren, m_alloc, conv);
    }
  }

  agg::rendering_buffer m_buf;
  PixFmt m_pixf;
  agg::renderer_base<PixFmt> m_ren;
  agg::span_allocator<agg::rgba8> m_alloc;
};

template <class Order>
std::unique_ptr<CGRasterTarget> Make(uint8_t* data, int w, int h, int stride, bool skip) {
  typedef agg::pixfmt_alpha_blend_rgba<BlenderSkipPre<Order>, agg::rendering_buffer> SkipFmt;
  typedef agg::pixfmt_alpha_blend_rgba<agg::blender_rgba_pre<agg::rgba8, Order>,
                                       agg::rendering_buffer>
      PreFmt;
  if (skip)
    return std::unique_ptr<CGRasterTarget>(new (std::nothrow)
                                               RasterTarget<SkipFmt>(data, w, h, stride));
  return std::unique_ptr<CGRasterTarget>(new (std::nothrow)
                                             RasterTarget<PreFmt>(data, w, h, stride));
}

}  // namespace

std::unique_ptr<CGRasterTarget> CGRasterTargetCreate(uint8_t* data, int w, int h, int stride,
                                                     const CGPixelLayout& l) {
  const bool skip = l.alpha == kCGAlphaKindSkip;
  if (l.a == 0 && l.r == 1) return Make<agg::order_argb>(data, w, h, stride, skip);
  if (l.r == 0 && l.a == 3) return Make<agg::order_rgba>(data, w, h, stride, skip);
  if (l.b == 0 && l.a == 3) return Make<agg::order_bgra>(data, w, h, stride, skip);
  if (l.a == 0 && l.b == 1) return Make<agg::order_abgr>(data, w, h, stride, skip);
  return nullptr;
}
