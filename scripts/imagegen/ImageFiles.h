#pragma once

#include <juce_core/juce_core.h>
#include <juce_graphics/juce_graphics.h>

#include <cstdio>
#include <optional>

/** What the programs that draw the project's pictures share: the output folder they are given
    and the PNG files they write into it. */
namespace ImageFiles
{
/** The folder named by the program's only argument, relative to the working directory; with any
    other number of arguments it prints the usage and returns nothing. */
inline std::optional<juce::File> folderArgument (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: %s <output folder>\n", argv[0]);
        return std::nullopt;
    }

    return juce::File::getCurrentWorkingDirectory().getChildFile (juce::String (argv[1]));
}

/** Replaces the file with the image as a PNG (8-bit RGBA, or RGB for an image without alpha). */
inline bool writePng (const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out (file);

    if (! out.openedOk())
        return false;

    juce::PNGImageFormat png;
    return png.writeImageToStream (image, out) && out.getStatus().wasOk();
}
} // namespace ImageFiles
