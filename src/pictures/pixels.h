#ifndef MORVEL_PICTURES_PIXELS_H_
#define MORVEL_PICTURES_PIXELS_H_

#include <cstdint>
#include <string>
#include <vector>

// The panel's own pictures as pixels, for every front end to show the same:
// the material grid's header image list, the warning tip's bulb; and the
// picture descriptions the widgets carry ("image:N",
// "thumbnail:PATH:SIZE"). Map files themselves are the front ends' to read.
namespace morvel {

// RGBA, 8 bits a channel, rows top to bottom, not premultiplied.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Size of the material grid's header pictures.
inline constexpr int kImageListWidth = 15;
inline constexpr int kImageListHeight = 14;
inline constexpr int kImageListCount = 7;

// Picture `index` (1..7) of the material header image list, 15 x 14
// pixels: 1 a blue radial colour gradient (colour), 2 a speckled
// multicoloured texture (map 1), 3 the same texture faded almost to white
// (map 2), 4 the texture fading out towards one side (map 3), 5 a blue grid
// of bumps (bump map), 6 a white glow on blue (glow), 7 a textured sphere
// (environment). Empty outside 1..7.
Image ImageListImage(int index);
// What each picture stands for, for tool tips and accessible names; empty
// outside 1..7.
const char* ImageListMeaning(int index);
// The tip window's picture: a lit bulb, `size` pixels square.
Image TipImage(int size);

// A stand-in for a map file that cannot be read, `size` pixels square:
// stripes in a colour taken from the file's name, so a scene stays readable
// without its textures.
Image SwatchImage(const std::string& path, int size);

// Splits "thumbnail:PATH:SIZE" at its last colon; false for anything else
// (SIZE is one to four digits).
bool ParseThumbnail(const std::string& description, std::string* path,
                    int* size);

}  // namespace morvel

#endif  // MORVEL_PICTURES_PIXELS_H_
