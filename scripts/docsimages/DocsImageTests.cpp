// The README's pictures, both as tandrel_docs_images has just written them and as committed in
// docs/: each has its size and shows something; the README shows every one of them.

#include "editor/PluginEditor.h"

#include "DocsImageList.h"

#include <gtest/gtest.h>

#include <unordered_set>

namespace
{
using DocsImageList::Picture;

enum class Folder { rendered, committed };

// Names the folder in failure messages (the test names already carry it).
void PrintTo (Folder folder, std::ostream* out)
{
    *out << (folder == Folder::rendered ? "rendered" : "committed");
}

juce::File folderOf (Folder folder)
{
    return folder == Folder::rendered ? juce::File (TANDREL_RENDERED_DOCS_DIR)
                                      : juce::File (TANDREL_SOURCE_DIR).getChildFile ("docs");
}

std::vector<Picture> allPictures()
{
    std::vector<Picture> all (std::begin (DocsImageList::screenshots), std::end (DocsImageList::screenshots));
    all.insert (all.end(), std::begin (DocsImageList::curves), std::end (DocsImageList::curves));
    return all;
}

int distinctColours (const juce::Image& image)
{
    std::unordered_set<juce::uint32> colours;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            colours.insert (image.getPixelAt (x, y).getARGB());

    return (int) colours.size();
}

int differentPixels (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            count += a.getPixelAt (x, y) != b.getPixelAt (x, y) ? 1 : 0;

    return count;
}

/** Pixels of a clear hue: the charts draw their grid and text in greys and only the curves and
    their legend swatches in colour. */
int colouredPixels (const juce::Image& image)
{
    int count = 0;

    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto c = image.getPixelAt (x, y);
            const auto spread = juce::jmax (c.getRed(), c.getGreen(), c.getBlue()) - juce::jmin (c.getRed(), c.getGreen(), c.getBlue());
            count += spread > 80 ? 1 : 0;
        }
    }

    return count;
}

class DocsImages : public ::testing::TestWithParam<Folder>
{
protected:
    /** The picture as read back from the folder; a missing or unreadable file fails the test. */
    juce::Image load (const Picture& picture)
    {
        const auto file = folderOf (GetParam()).getChildFile (picture.fileName);
        auto image = juce::ImageFileFormat::loadFrom (file);
        EXPECT_TRUE (image.isValid()) << file.getFullPathName();
        return image;
    }
};
} // namespace

TEST_P (DocsImages, EveryPictureHasItsSize)
{
    for (const auto& picture : allPictures())
    {
        const auto image = load (picture);
        EXPECT_EQ (image.getWidth(), picture.width) << picture.fileName;
        EXPECT_EQ (image.getHeight(), picture.height) << picture.fileName;
    }
}

TEST_P (DocsImages, TheScreenshotsShowTheEditorWithThreeDifferentPanels)
{
    // The panels' common area, as the editor lays it out at the screenshots' size.
    TandrelAudioProcessor processor;
    TandrelAudioProcessorEditor editor (processor);
    editor.setSize (DocsImageList::editorWidth, DocsImageList::editorHeight);
    const auto panelArea = editor.getGraphicPanel().getBounds();
    ASSERT_EQ (editor.getTubePanel().getBounds(), panelArea);

    std::vector<juce::Image> images;

    for (const auto& picture : DocsImageList::screenshots)
    {
        images.push_back (load (picture));
        ASSERT_EQ (images.back().getBounds(), editor.getLocalBounds()) << picture.fileName;

        // The editor's background, images, text and anti-aliased edges, not a flat fill.
        EXPECT_GT (distinctColours (images.back()), 256) << picture.fileName;
    }

    // Each panel's controls stand elsewhere: a large part of the area changes between any two.
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_GT (differentPixels (images[i], images[j], panelArea), panelArea.getWidth() * panelArea.getHeight() / 10)
                << DocsImageList::screenshots[i].fileName << " and " << DocsImageList::screenshots[j].fileName;
}

TEST_P (DocsImages, TheChartsHaveCurvesOnThem)
{
    for (const auto& picture : DocsImageList::curves)
    {
        const auto image = load (picture);
        EXPECT_GT (distinctColours (image), 100) << picture.fileName;

        // More than a curve's worth across the plot: in a chart of axes and legend alone only
        // the legend's short swatches are coloured.
        EXPECT_GT (colouredPixels (image), picture.width) << picture.fileName;
    }
}

std::string folderName (const ::testing::TestParamInfo<Folder>& folder)
{
    return folder.param == Folder::rendered ? "Rendered" : "Committed";
}

INSTANTIATE_TEST_SUITE_P (Folders, DocsImages, ::testing::Values (Folder::rendered, Folder::committed), folderName);

TEST (DocsImagesInTheReadme, EveryPictureIsShown)
{
    const auto readme = juce::File (TANDREL_SOURCE_DIR).getChildFile ("README.md").loadFileAsString();
    ASSERT_TRUE (readme.isNotEmpty());

    for (const auto& picture : allPictures())
        EXPECT_TRUE (readme.contains ("](docs/" + juce::String (picture.fileName) + ")")) << picture.fileName;
}
