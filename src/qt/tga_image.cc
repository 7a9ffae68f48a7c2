#include "qt/tga_image.h"

#include <cstdint>
#include <vector>

namespace morvel::qt {
namespace {

constexpr int kMaxSide = 8192;

// Reads bytes from the data, never past its end.
class Bytes {
 public:
  explicit Bytes(const QByteArray& data) : data_(data) {}
  bool Has(qsizetype n) const { return n >= 0 && data_.size() - pos_ >= n; }
  std::uint8_t U8() { return static_cast<std::uint8_t>(data_[pos_++]); }
  std::uint16_t U16() {
    std::uint16_t low = U8();
    return static_cast<std::uint16_t>(low | (U8() << 8));
  }
  void Skip(qsizetype n) { pos_ += n; }
  const unsigned char* Here() const {
    return reinterpret_cast<const unsigned char*>(data_.constData()) + pos_;
  }

 private:
  const QByteArray& data_;
  qsizetype pos_ = 0;
};

// One pixel of `bytes` bytes as ARGB: 1 grey (or a colour-map index,
// looked up by the caller), 2 grey with alpha or 16-bit colour, 3 BGR, 4
// BGRA.
QRgb Pixel(const unsigned char* p, int bytes, bool grey) {
  switch (bytes) {
    case 1:
      return qRgb(p[0], p[0], p[0]);
    case 2:
      if (grey) return qRgba(p[0], p[0], p[0], p[1]);
      {
        const int v = p[0] | (p[1] << 8);
        auto five = [](int x) { return (x << 3) | (x >> 2); };
        return qRgb(five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31));
      }
    case 3:
      return qRgb(p[2], p[1], p[0]);
    default:
      return qRgba(p[2], p[1], p[0], p[3]);
  }
}

}  // namespace

QImage ReadTga(const QByteArray& data) {
  Bytes in(data);
  if (!in.Has(18)) return {};
  const int id_length = in.U8();
  const int map_type = in.U8();
  const int type = in.U8();
  in.U16();  // the first colour-map entry: always 0 in practice
  const int map_length = in.U16();
  const int map_bits = in.U8();
  in.U16();  // x origin
  in.U16();  // y origin
  const int width = in.U16();
  const int height = in.U16();
  const int bits = in.U8();
  const int descriptor = in.U8();

  const bool rle = type >= 9;
  const int kind = rle ? type - 8 : type;  // 1 mapped, 2 colour, 3 grey
  if (kind < 1 || kind > 3 || width == 0 || height == 0 ||
      width > kMaxSide || height > kMaxSide) {
    return {};
  }
  const bool mapped = kind == 1;
  const bool grey = kind == 3;
  if (mapped ? (map_type != 1 || bits != 8)
             : (bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
    return {};
  }
  if (grey && bits > 16) return {};
  if (!in.Has(id_length)) return {};
  in.Skip(id_length);

  std::vector<QRgb> palette;
  if (map_type == 1) {
    const int entry = (map_bits + 7) / 8;
    if (entry < 2 || entry > 4 || !in.Has(static_cast<qsizetype>(map_length) * entry))
      return {};
    for (int i = 0; i < map_length; ++i) {
      palette.push_back(Pixel(in.Here(), entry, false));
      in.Skip(entry);
    }
  }

  const int bytes = (bits + 7) / 8;
  const long long count = static_cast<long long>(width) * height;
  // The pixels must be there before room is made for them: raw, all of
  // them; run-length encoded, at least one run header per 128.
  if (!in.Has(static_cast<qsizetype>(rle ? count / 128 : count * bytes))) {
    return {};
  }
  QImage image(width, height, QImage::Format_ARGB32);
  if (image.isNull()) return {};
  const bool top_first = (descriptor & 0x20) != 0;
  const bool right_first = (descriptor & 0x10) != 0;
  auto put = [&](long long index, const unsigned char* p) {
    QRgb colour;
    if (mapped) {
      if (static_cast<std::size_t>(p[0]) >= palette.size()) return false;
      colour = palette[p[0]];
    } else {
      colour = Pixel(p, bytes, grey);
    }
    const int x = static_cast<int>(index % width);
    const int y = static_cast<int>(index / width);
    image.setPixel(right_first ? width - 1 - x : x,
                   top_first ? y : height - 1 - y, colour);
    return true;
  };

  long long index = 0;
  while (index < count) {
    if (!rle) {
      if (!in.Has(bytes) || !put(index, in.Here())) return {};
      in.Skip(bytes);
      ++index;
      continue;
    }
    if (!in.Has(1)) return {};
    const int header = in.U8();
    const int run = (header & 0x7F) + 1;
    if (index + run > count) return {};
    if (header & 0x80) {  // one pixel, repeated
      if (!in.Has(bytes)) return {};
      for (int i = 0; i < run; ++i) {
        if (!put(index++, in.Here())) return {};
      }
      in.Skip(bytes);
    } else {  // `run` pixels as they are
      if (!in.Has(static_cast<qsizetype>(run) * bytes)) return {};
      for (int i = 0; i < run; ++i) {
        if (!put(index++, in.Here())) return {};
        in.Skip(bytes);
      }
    }
  }
  return image;
}

}  // namespace morvel::qt
