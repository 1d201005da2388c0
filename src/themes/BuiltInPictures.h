#pragma once

#include <QImage>

// The thirteen pictures the program carries for the built-in theme: slot 0 is the Compilation
// sheet, slots 1 to 12 are the sheet types 00 to 11. Drawn from SVG on first use and cached.
class BuiltInPictures {
public:
    static constexpr int slotCount = 13;

    // The picture of a slot, ARGB32-premultiplied, size() points square (more pixels on a HiDPI
    // screen, as its device pixel ratio says). A slot outside
    // 0..12 gives the picture of type 00, as for a sheet of an unknown type.
    static QImage picture(int slot);

    // 48 pixels for the Compilation sheet and type 00, 32 for the others.
    static int size(int slot);

    // What a sheet shows while it is being created, before it has a type: kNewSheetSize pixels
    // square.
    static constexpr int kNewSheetSize = 32;
    static QImage newSheet();

    // Makes ":/kerfa/..." (the pictures, splash.svg, about.svg, kerfa.svg) available. Done at
    // start-up in any program that uses this class; others call it before using the artwork.
    static void registerResources();
};
