#pragma once

// The expert view shows the whole dialog template, scrolled where the
// screen is too small for it.
struct PixelSize {
    int width = 0;
    int height = 0;

    bool operator==(const PixelSize&) const = default;
};

// The window's size for a page of `whole` on a screen with `room`: all of
// it where it fits, else the room with a scroll bar along each cut side.
PixelSize ExpertWindowSize(PixelSize whole, PixelSize room, int scroll_bar);
