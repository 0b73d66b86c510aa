#pragma once
// A logic device whose cells are JEDEC fuses: Chip::memory() holds one byte 0/1
// per fuse in fuse number order, and a security cell hides them. Chip images and
// the Virtual socket window keep such a part as a JEDEC fuse file.
namespace quarvin::sim {

class FuseMapPart {
public:
    virtual ~FuseMapPart() = default;
    // Fuses on one line of a listing: the width of the part's fuse array.
    virtual int fusesPerLine() const = 0;
    virtual bool secured() const = 0;
    // Puts the security cell as a file states it (a chip image, a loaded design).
    virtual void restoreSecurity(bool secured) = 0;
};

} // namespace quarvin::sim
