#pragma once

/** The pictures the README shows, as tandrel_docs_images writes them into docs/, with their sizes.
    The generator draws them at these sizes and the checks read them back against this list. */
namespace DocsImageList
{
struct Picture
{
    const char* fileName;
    int width, height;
};

/** The editor's opening size on a main display 1920 pixels wide. */
inline constexpr int displayWidth = 1920;
inline constexpr int editorWidth = 960, editorHeight = 480;

/** Small enough to keep the pictures at a few tens of kilobytes, large enough to read. */
inline constexpr int curveWidth = 720, curveHeight = 360;

/** The editor with each of its panels shown, in the order of the mode switches. */
inline constexpr Picture screenshots[] = {
    { "editor-graphic.png", editorWidth, editorHeight },
    { "editor-parametric.png", editorWidth, editorHeight },
    { "editor-tube.png", editorWidth, editorHeight },
};

/** The measured magnitude responses. */
inline constexpr Picture curves[] = {
    { "response-graphic-bands.png", curveWidth, curveHeight },
    { "response-graphic-gain.png", curveWidth, curveHeight },
    { "response-parametric.png", curveWidth, curveHeight },
    { "response-tube.png", curveWidth, curveHeight },
    { "response-filters.png", curveWidth, curveHeight },
};
} // namespace DocsImageList
