#include "editor/PluginEditor.h"

#include "../ProcessorHarness.h"
#include "EditorTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
using Editor = TandrelAudioProcessorEditor;
using namespace ParameterIDs;

const char* id (int index) { return ids[(size_t) index]; }

// A processor and an editor on it, as a host opens them.
struct EditorFixture : public ::testing::Test
{
    std::unique_ptr<Editor> open()
    {
        return std::make_unique<Editor> (*harness.processor);
    }

    // Lets queued attachment updates and asynchronous slider notifications arrive.
    static void settle() { guitest::runMessageLoop (100); }

    ProcessorHarness harness;
};

void click (juce::Button& button)
{
    button.triggerClick();
    guitest::runMessageLoop (50);
}

// The size at which an editor opens on a new instance that restores what this one saves now.
juce::Point<int> sizeAfterReload (ProcessorHarness& source)
{
    ProcessorHarness reloaded;
    reloaded.restore (source.save());
    const Editor editor (*reloaded.processor);
    return { editor.getWidth(), editor.getHeight() };
}
} // namespace

//==============================================================================
TEST (EditorWindowSize, DefaultsAndLimitsFollowTheMainDisplaysWidth)
{
    struct Case { int displayWidth; Editor::WindowSize expected; };
    const Case cases[] = {
        { 1440, { 936, 468, 702, 351, 1170, 585 } },
        { 1441, { 720, 360, 540, 270, 900, 450 } },   // a wider display gives a smaller window
        { 1920, { 960, 480, 720, 360, 1200, 600 } },
        { 1280, { 832, 416, 624, 312, 1040, 520 } },
    };

    for (const auto& c : cases)
    {
        const auto size = Editor::defaultWindowSize (c.displayWidth);
        EXPECT_EQ (size.width, c.expected.width) << c.displayWidth;
        EXPECT_EQ (size.height, c.expected.height) << c.displayWidth;
        EXPECT_EQ (size.minWidth, c.expected.minWidth) << c.displayWidth;
        EXPECT_EQ (size.minHeight, c.expected.minHeight) << c.displayWidth;
        EXPECT_EQ (size.maxWidth, c.expected.maxWidth) << c.displayWidth;
        EXPECT_EQ (size.maxHeight, c.expected.maxHeight) << c.displayWidth;
    }
}

TEST_F (EditorFixture, OpensAtTheDisplaysDefaultSizeResizableAtTwoToOne)
{
    const auto expected = Editor::defaultWindowSize (Editor::mainDisplayUserAreaWidth());
    auto editor = open();

    EXPECT_EQ (editor->getWidth(), expected.width);
    EXPECT_EQ (editor->getHeight(), expected.height);
    EXPECT_TRUE (editor->isResizable());

    auto* constrainer = editor->getConstrainer();
    ASSERT_NE (constrainer, nullptr);
    EXPECT_EQ (constrainer->getFixedAspectRatio(), 2.0);
    EXPECT_EQ (constrainer->getMinimumWidth(), expected.minWidth);
    EXPECT_EQ (constrainer->getMinimumHeight(), expected.minHeight);
    EXPECT_EQ (constrainer->getMaximumWidth(), expected.maxWidth);
    EXPECT_EQ (constrainer->getMaximumHeight(), expected.maxHeight);
}

TEST_F (EditorFixture, ASavedSizeIsAppliedAsStoredBeyondTheLimits)
{
    const auto limits = Editor::defaultWindowSize (Editor::mainDisplayUserAreaWidth());
    const float width = (float) limits.maxWidth + 300.7f;

    harness.processor->windowWidth = width;
    harness.processor->windowHeight = width / 2.0f + 0.9f;
    auto editor = open();

    EXPECT_EQ (editor->getWidth(), (int) width);
    EXPECT_EQ (editor->getHeight(), (int) (width / 2.0f + 0.9f));

    harness.processor->windowWidth = 1000.7f;
    harness.processor->windowHeight = 500.9f;
    editor.reset();
    editor = open();
    EXPECT_EQ (editor->getWidth(), 1000);
    EXPECT_EQ (editor->getHeight(), 500);
}

TEST_F (EditorFixture, ASavedSizeNoWindowCanHaveCountsAsNoneSaved)
{
    const auto expected = Editor::defaultWindowSize (Editor::mainDisplayUserAreaWidth());
    const std::pair<float, float> unusable[] = { { 1000.0f, 0.0f }, { -400.0f, 200.0f }, { 1.0e9f, 5.0e8f }, { 0.5f, 300.0f },
                                                  { 63.9f, 300.0f }, { 300.0f, 63.0f }, { 8193.0f, 4000.0f } };

    for (const auto& [width, height] : unusable)
    {
        harness.processor->windowWidth = width;
        harness.processor->windowHeight = height;
        const auto editor = open();
        EXPECT_EQ (editor->getWidth(), expected.width) << width << " x " << height;
        EXPECT_EQ (editor->getHeight(), expected.height) << width << " x " << height;
    }

    // The edges of what is accepted.
    for (const auto& [width, height] : { std::pair { 64.0f, 64.0f }, std::pair { 8192.9f, 8192.0f } })
    {
        harness.processor->windowWidth = width;
        harness.processor->windowHeight = height;
        const auto editor = open();
        EXPECT_EQ (editor->getWidth(), (int) width);
        EXPECT_EQ (editor->getHeight(), (int) height);
    }
}

TEST_F (EditorFixture, TheOpeningSizeReachesTheStoredStateButNotTheSavedSize)
{
    auto editor = open();
    auto& variables = harness.processor->variableTree;

    EXPECT_EQ (harness.processor->windowWidth, 0.0f);
    EXPECT_EQ (harness.processor->windowHeight, 0.0f);
    EXPECT_EQ ((int) variables.getProperty ("width"), editor->getWidth());
    EXPECT_EQ ((int) variables.getProperty ("height"), editor->getHeight());
    EXPECT_TRUE (variables.getProperty ("width").isInt());

    editor->setSize (1000, 500);
    EXPECT_EQ (harness.processor->windowWidth, 1000.0f);
    EXPECT_EQ (harness.processor->windowHeight, 500.0f);
    EXPECT_EQ ((int) variables.getProperty ("width"), 1000);
    EXPECT_EQ ((int) variables.getProperty ("height"), 500);
}

TEST_F (EditorFixture, TheNextEditorAndAReloadedInstanceOpenAtTheLastSize)
{
    open()->setSize (1100, 550);

    EXPECT_EQ (open()->getWidth(), 1100);
    EXPECT_EQ (sizeAfterReload (harness), juce::Point<int> (1100, 550));
}

TEST_F (EditorFixture, AfterAStateWithoutVariablesTheNextResizeIsSavedAgain)
{
    open()->setSize (1000, 500);

    const auto saved = harness.save();
    auto tree = juce::ValueTree::readFromData (saved.getData(), saved.getSize());
    tree.removeChild (tree.getChildWithName ("Variables"), nullptr);
    juce::MemoryBlock bytes;
    {
        juce::MemoryOutputStream stream (bytes, false);
        tree.writeToStream (stream);
    }
    harness.restore (bytes);
    EXPECT_EQ (harness.processor->windowWidth, 0.0f);

    open()->setSize (1100, 550);
    EXPECT_EQ (harness.processor->windowWidth, 1100.0f);
    EXPECT_EQ (open()->getWidth(), 1100);
    EXPECT_EQ (sizeAfterReload (harness), juce::Point<int> (1100, 550));
}

TEST (EditorStateRestore, ARejectedStateLeavesTheSizeAndLaterResizesAreSaved)
{
    ProcessorHarness source;
    const auto real = source.save();
    const juce::uint8 zero = 0;

    const std::pair<const char*, juce::MemoryBlock> rejected[] = {
        { "empty", {} },
        { "one zero byte", juce::MemoryBlock (&zero, 1) },
        { "cut in half", juce::MemoryBlock (real.getData(), real.getSize() / 2) },
    };

    for (const auto& [name, bytes] : rejected)
    {
        ProcessorHarness h;
        auto editor = std::make_unique<Editor> (*h.processor);
        editor->setSize (1000, 500);

        h.restore (bytes);
        EXPECT_EQ (h.processor->windowWidth, 1000.0f) << name;

        EXPECT_EQ (sizeAfterReload (h), juce::Point<int> (1000, 500)) << name;

        // The editor still open on the instance goes on storing its size.
        editor->setSize (1100, 550);
        EXPECT_EQ (sizeAfterReload (h), juce::Point<int> (1100, 550)) << name;
    }
}

TEST_F (EditorFixture, LayoutAtTheDesignSize)
{
    auto editor = open();
    editor->setSize (1000, 500);   // a real resize, whatever size it opened at
    editor->setSize (936, 468);

    EXPECT_EQ (editor->getFrame().getBounds(), juce::Rectangle<int> (0, 0, 936, 468));

    for (juce::Component* panel : { (juce::Component*) &editor->getGraphicPanel(), (juce::Component*) &editor->getParametricPanel(),
                                    (juce::Component*) &editor->getTubePanel() })
        EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (70, 39, 514, 327));

    EXPECT_EQ (editor->resetButton.getBounds(), juce::Rectangle<int> (215, 388, 81, 26));

    const int faderX[] = { 599, 659, 719, 779 };
    const orvane_gui::Fader* faders[] = { &editor->hpFader, &editor->lpFader, &editor->driveFader, &editor->trimFader };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (faders[i]->getBounds(), juce::Rectangle<int> (faderX[i], 56, 60, 234)) << i;

    const int toggleX[] = { 599, 680, 761 };
    const orvane_gui::ToggleButton* toggles[] = { &editor->graphicToggle, &editor->parametricToggle, &editor->tubeToggle };
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ (toggles[i]->getBounds(), juce::Rectangle<int> (toggleX[i], 313, 81, 26)) << i;

    for (auto* label : { &editor->hpLabel, &editor->lpLabel, &editor->driveLabel, &editor->trimLabel })
    {
        EXPECT_EQ (label->getFont().getHeight(), (float) (0.065 * 936 * 0.2));
        EXPECT_TRUE (label->getFont().isBold());
        EXPECT_EQ (label->getFont().getTypefaceName(), orvane_gui::resolveTypefaceName ("Helvetica"));
    }

    EXPECT_FLOAT_EQ ((float) (0.065 * 936 * 0.2), 12.168f);
}

TEST_F (EditorFixture, CaptionsSitAboveTheirFaders)
{
    auto editor = open();
    editor->setSize (936, 468);

    const std::pair<orvane_gui::Label*, orvane_gui::Fader*> pairs[] = {
        { &editor->hpLabel, &editor->hpFader }, { &editor->lpLabel, &editor->lpFader },
        { &editor->driveLabel, &editor->driveFader }, { &editor->trimLabel, &editor->trimFader } };
    const char* texts[] = { "HP", "LP", "Drive", "Trim" };

    for (int i = 0; i < 4; ++i)
    {
        auto [label, fader] = pairs[i];
        EXPECT_EQ (label->getText(), texts[i]);
        EXPECT_EQ (label->getAttachedComponent(), fader);
        EXPECT_FALSE (label->isAttachedOnLeft());
        EXPECT_EQ (label->getBottom(), fader->getY());
        EXPECT_EQ (label->getJustificationType(), juce::Justification (juce::Justification::centred));
    }
}

TEST_F (EditorFixture, GlobalFadersTakeTheirParametersRangesAndDefaults)
{
    auto editor = open();

    struct Case { orvane_gui::Fader* fader; double min, max, def; const char* suffix; };
    const Case cases[] = {
        { &editor->hpFader, 20, 1000, 20, " Hz" }, { &editor->lpFader, 1000, 20000, 20000, " Hz" },
        { &editor->driveFader, 0, 20, 0, " dB" },  { &editor->trimFader, -24, 24, 0, " dB" },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (c.fader->getMinimum(), c.min);
        EXPECT_EQ (c.fader->getMaximum(), c.max);
        EXPECT_EQ (c.fader->getDoubleClickReturnValue(), c.def);
        EXPECT_EQ (c.fader->getTextValueSuffix(), c.suffix);
    }

    // Moving a fader moves exactly its parameter.
    editor->trimFader.setValue (-6.0, juce::sendNotificationSync);
    EXPECT_EQ (harness.get (id (trim)), -6.0f);
    EXPECT_EQ (harness.get (id (drive)), 0.0f);
    EXPECT_EQ (editor->trimFader.getTextFromValue (-6.0), "-6.00 dB");
}

TEST_F (EditorFixture, PaintsNothingOfItsOwn)
{
    auto editor = open();
    EXPECT_EQ (editortest::pixelsChangedByOwnPaint (*editor), 0);
}

//==============================================================================
// The mode switches and the reset button.

TEST_F (EditorFixture, OnlyTheGraphicPanelShowsByDefault)
{
    auto editor = open();

    EXPECT_TRUE (editor->graphicToggle.getToggleState());
    EXPECT_FALSE (editor->parametricToggle.getToggleState());
    EXPECT_FALSE (editor->tubeToggle.getToggleState());

    EXPECT_TRUE (editor->getGraphicPanel().isVisible() && editor->getGraphicPanel().isEnabled());
    EXPECT_FALSE (editor->getParametricPanel().isVisible() || editor->getParametricPanel().isEnabled());
    EXPECT_FALSE (editor->getTubePanel().isVisible() || editor->getTubePanel().isEnabled());

    for (auto* toggle : { &editor->graphicToggle, &editor->parametricToggle, &editor->tubeToggle })
        EXPECT_EQ (toggle->getRadioGroupId(), 1);

    EXPECT_EQ (editor->graphicToggle.getButtonText(), "Graphic");
    EXPECT_EQ (editor->parametricToggle.getButtonText(), "Parametric");
    EXPECT_EQ (editor->tubeToggle.getButtonText(), "Tube");
    EXPECT_EQ (editor->resetButton.getButtonText(), "Reset");
    EXPECT_FALSE (editor->resetButton.getClickingTogglesState());
}

TEST_F (EditorFixture, ClickingASwitchShowsItsPanelAndTurnsTheOthersOff)
{
    auto editor = open();

    click (editor->tubeToggle);
    EXPECT_EQ (harness.get (id (tubeOn)), 1.0f);
    EXPECT_EQ (harness.get (id (graphicOn)), 0.0f);
    EXPECT_TRUE (editor->getTubePanel().isVisible() && editor->getTubePanel().isEnabled());
    EXPECT_FALSE (editor->getGraphicPanel().isVisible() || editor->getGraphicPanel().isEnabled());

    // The switch that is already on stays on.
    click (editor->tubeToggle);
    EXPECT_EQ (harness.get (id (tubeOn)), 1.0f);
    EXPECT_TRUE (editor->getTubePanel().isVisible());

    click (editor->parametricToggle);
    EXPECT_EQ (harness.get (id (parametricOn)), 1.0f);
    EXPECT_EQ (harness.get (id (tubeOn)), 0.0f);
    EXPECT_TRUE (editor->getParametricPanel().isVisible());
    EXPECT_FALSE (editor->getTubePanel().isVisible());
}

TEST_F (EditorFixture, TheHostSwitchingTheOnlyModeOffLeavesNoPanelAndResetDoesNothing)
{
    auto editor = open();
    editor->getGraphicPanel().faders[2]->setValue (5.0, juce::sendNotificationSync);

    harness.set (id (graphicOn), 0.0f);
    settle();
    EXPECT_FALSE (editor->graphicToggle.getToggleState());
    EXPECT_FALSE (editor->getGraphicPanel().isVisible());
    EXPECT_FALSE (editor->getParametricPanel().isVisible());
    EXPECT_FALSE (editor->getTubePanel().isVisible());

    click (editor->resetButton);
    settle();
    EXPECT_EQ (harness.get (id (graphicGain1 + 2)), 5.0f);
}

TEST_F (EditorFixture, AStoredStateWithTwoModesOnKeepsTheLastOne)
{
    harness.set (id (graphicOn), 1.0f);
    harness.set (id (tubeOn), 1.0f);
    auto editor = open();

    EXPECT_FALSE (editor->graphicToggle.getToggleState());
    EXPECT_TRUE (editor->tubeToggle.getToggleState());
    EXPECT_EQ (harness.get (id (graphicOn)), 0.0f);
    EXPECT_TRUE (editor->getTubePanel().isVisible());
    EXPECT_FALSE (editor->getGraphicPanel().isVisible());
}

TEST_F (EditorFixture, ResetReturnsTheShownPanelToItsResetValues)
{
    struct Change { int parameter; float value; float afterReset; };

    // Each panel with values away from its reset values; the global faders are never reset.
    const std::vector<std::pair<int, std::vector<Change>>> panels = {
        { graphicOn, { { graphicGain1, 6.0f, 0.0f }, { graphicGain1 + 9, -4.0f, 0.0f } } },
        { tubeOn, { { tubeGain1, 3.0f, 0.0f }, { tubeGain1 + 1, 2.0f, 0.0f }, { tubeGain1 + 2, 4.0f, 0.0f },
                    { tubeGain1 + 3, 5.0f, 0.0f }, { tubeFreq1, 250.0f, 100.0f }, { tubeFreq2, 9000.0f, 5000.0f },
                    { tubeBandwidth, 1.0f, 5.0f } } },
        { parametricOn, { { parametricGain1, 3.0f, 0.0f }, { parametricGain1 + 3, -3.0f, 0.0f },
                          { parametricFreq1, 90.0f, 200.0f }, { parametricFreq1 + 1, 1500.0f, 1000.0f },
                          { parametricFreq1 + 2, 300.0f, 1000.0f }, { parametricFreq1 + 3, 12000.0f, 7000.0f } } },
    };

    for (const auto& [modeSwitch, changes] : panels)
    {
        ProcessorHarness h;
        h.set (id (modeSwitch), 1.0f);
        for (int other : { (int) graphicOn, (int) parametricOn, (int) tubeOn })
            if (other != modeSwitch)
                h.set (id (other), 0.0f);

        // Every panel's controls away from their reset values, the shown one's and the others'.
        for (const auto& panel : panels)
            for (const auto& c : panel.second)
                h.set (id (c.parameter), c.value);

        h.set (id (trim), -5.0f);

        Editor editor (*h.processor);
        settle();
        click (editor.resetButton);
        settle();

        for (const auto& [otherSwitch, otherChanges] : panels)
        {
            for (const auto& c : otherChanges)
            {
                const auto expected = otherSwitch == modeSwitch ? c.afterReset : c.value;
                EXPECT_EQ (h.get (id (c.parameter)), expected) << id (c.parameter) << " while " << id (modeSwitch) << " is on";
            }
        }

        EXPECT_EQ (h.get (id (trim)), -5.0f);
    }
}

TEST_F (EditorFixture, ClosingTheEditorLeavesTheProcessorIntact)
{
    {
        auto editor = open();
        editor->setSize (1000, 500);
        click (editor->tubeToggle);
    }

    EXPECT_EQ (harness.processor->windowWidth, 1000.0f);
    EXPECT_EQ (harness.get (id (tubeOn)), 1.0f);

    harness.set (id (trim), 3.0f); // no editor listening any more
    harness.prepare (44100.0, 256);
    juce::AudioBuffer<float> buffer (2, 256);
    harness.render (buffer);
}

TEST_F (EditorFixture, TheFrameLiesBelowEverythingAndThePanelsAboveTheSwitches)
{
    auto editor = open();
    const auto& children = editor->getChildren();
    const auto indexOf = [&children] (juce::Component& c) { return children.indexOf (&c); };

    EXPECT_EQ (indexOf (editor->getFrame()), 0);
    EXPECT_LT (indexOf (editor->hpFader), indexOf (editor->hpLabel));
    EXPECT_LT (indexOf (editor->trimLabel), indexOf (editor->graphicToggle));
    EXPECT_LT (indexOf (editor->tubeToggle), indexOf (editor->getGraphicPanel()));
    EXPECT_LT (indexOf (editor->getGraphicPanel()), indexOf (editor->getParametricPanel()));
    EXPECT_LT (indexOf (editor->getParametricPanel()), indexOf (editor->getTubePanel()));
    EXPECT_LT (indexOf (editor->getTubePanel()), indexOf (editor->resetButton));
}

TEST_F (EditorFixture, RestoringAStateWhileOpenKeepsTheSizeAndFollowsTheModes)
{
    auto editor = open();
    editor->setSize (1000, 500);

    ProcessorHarness other;
    other.set (id (graphicOn), 0.0f);
    other.set (id (parametricOn), 1.0f);
    other.processor->variableTree.setProperty ("width", 1200, nullptr);
    other.processor->variableTree.setProperty ("height", 600, nullptr);
    harness.restore (other.save());
    settle();

    EXPECT_EQ (editor->getWidth(), 1000);
    EXPECT_TRUE (editor->parametricToggle.getToggleState());
    EXPECT_FALSE (editor->graphicToggle.getToggleState());
    EXPECT_TRUE (editor->getParametricPanel().isVisible());
    EXPECT_FALSE (editor->getGraphicPanel().isVisible());

    // The restored tree now receives the size; the next editor opens at the restored one.
    editor->setSize (1100, 550);
    EXPECT_EQ ((int) harness.processor->variableTree.getProperty ("width"), 1100);
    editor.reset();
    harness.restore (other.save());
    EXPECT_EQ (open()->getWidth(), 1200);
}

TEST_F (EditorFixture, OpeningAndClosingWhileAudioAndAutomationRun)
{
    // As a host does it: the processor owns the editor it hands out; audio and automation go on
    // on other threads throughout.
    harness.prepare (48000.0, 256);
    std::atomic<bool> stop { false };

    std::thread audio ([&]
    {
        juce::AudioBuffer<float> buffer (2, 256);
        juce::MidiBuffer midi;
        while (! stop.load())
        {
            buffer.clear();
            harness.processor->processBlock (buffer, midi);
        }
    });

    std::thread automation ([&]
    {
        juce::Random random (3);
        const int automated[] = { graphicOn, parametricOn, tubeOn, graphicGain1 + 4, quality, trim };
        while (! stop.load())
        {
            harness.processor->getParameters()[automated[random.nextInt (6)]]->setValueNotifyingHost (random.nextFloat());
            juce::Thread::sleep (1);
        }
    });

    for (int round = 0; round < 20; ++round)
    {
        auto* editor = harness.processor->createEditorIfNeeded();
        ASSERT_NE (editor, nullptr);
        EXPECT_EQ (harness.processor->getActiveEditor(), editor);
        guitest::runMessageLoop (10);
        harness.processor->editorBeingDeleted (editor);
        delete editor;
    }

    stop.store (true);
    audio.join();
    automation.join();
    EXPECT_EQ (harness.processor->getActiveEditor(), nullptr);
}
