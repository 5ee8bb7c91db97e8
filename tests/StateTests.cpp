#include "ProcessorHarness.h"
#include "plugin/StateReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

using namespace ParameterIDs;

namespace
{
const char* id (int index) { return ids[(size_t) index]; }

std::array<float, count> allValues (ProcessorHarness& h)
{
    std::array<float, count> values {};
    for (int i = 0; i < count; ++i)
        values[(size_t) i] = h.get (id (i));
    return values;
}

juce::ValueTree decode (const juce::MemoryBlock& block)
{
    juce::MemoryInputStream stream (block, false);
    return juce::ValueTree::readFromStream (stream);
}

juce::MemoryBlock encode (const juce::ValueTree& tree)
{
    juce::MemoryBlock block;
    juce::MemoryOutputStream stream (block, false);
    tree.writeToStream (stream);
    return block;
}

juce::ValueTree paramChild (const juce::ValueTree& state, const char* parameterId)
{
    return state.getChildWithProperty ("id", parameterId);
}

void setSomeValues (ProcessorHarness& h)
{
    h.set (id (graphicGain1 + 2), -7.5f);
    h.set (id (parametricFreq1 + 1), 1234.0f);
    h.set (id (tubeBandwidth), 3.25f);
    h.set (id (graphicOn), 0.0f);
    h.set (id (tubeOn), 1.0f);
    h.set (id (midSide), 2.0f);
    h.set (id (lowpass), 5000.0f);
    h.set (id (trim), -4.0f);
    h.set (id (cpu), 0.0f);
}

// What the editor does on each resize of its open window: the size goes into the variables tree,
// which the next save stores, and into the processor's current size.
void writeSizeAsTheEditorDoes (ProcessorHarness& h, int width, int height)
{
    h.processor->variableTree.setProperty ("width", width, nullptr);
    h.processor->variableTree.setProperty ("height", height, nullptr);
    h.processor->windowWidth = (float) width;
    h.processor->windowHeight = (float) height;
}
} // namespace

TEST (State, RoundTripsAllParametersIntoAnotherInstance)
{
    ProcessorHarness source, target;
    setSomeValues (source);

    target.restore (source.save());
    EXPECT_EQ (allValues (target), allValues (source));

    // Nothing stored an editor size: both restore as 0.
    EXPECT_EQ (target.processor->windowWidth, 0.0f);
    EXPECT_EQ (target.processor->windowHeight, 0.0f);
    EXPECT_TRUE (target.processor->variableTree.isValid());
    EXPECT_FALSE (target.processor->variableTree.hasProperty ("width"));
}

TEST (State, StreamLayoutIsTheParameterTreeWithItsVariablesChild)
{
    ProcessorHarness h;
    const auto bytes = h.save();

    // Root type "PARAMETERS", no properties, 36 parameter children plus "Variables".
    const char header[] = "PARAMETERS";
    ASSERT_GT (bytes.getSize(), sizeof (header) + 3);
    EXPECT_EQ (std::memcmp (bytes.getData(), header, sizeof (header)), 0);
    EXPECT_EQ (static_cast<const juce::uint8*> (bytes.getData())[sizeof (header)], 0); // property count 0
    EXPECT_EQ (static_cast<const juce::uint8*> (bytes.getData())[sizeof (header) + 1], 1); // one-byte child count
    EXPECT_EQ (static_cast<const juce::uint8*> (bytes.getData())[sizeof (header) + 2], 37);

    const auto tree = decode (bytes);
    EXPECT_EQ (tree.getType().toString(), "PARAMETERS");
    EXPECT_EQ (tree.getNumProperties(), 0);
    ASSERT_EQ (tree.getNumChildren(), 37);

    for (int i = 0; i < count; ++i)
    {
        const auto child = paramChild (tree, id (i));
        ASSERT_TRUE (child.isValid()) << id (i);
        EXPECT_EQ (child.getType().toString(), "PARAM");
        EXPECT_TRUE (child.getProperty ("value").isDouble()) << id (i);
    }

    const auto variables = tree.getChild (36);
    EXPECT_EQ (variables.getType().toString(), "Variables");
    EXPECT_EQ (variables.getNumProperties(), 0);
    ASSERT_EQ (variables.getNumChildren(), 1);

    const auto group = variables.getChild (0);
    EXPECT_EQ (group.getType().toString(), "Group");
    EXPECT_EQ (group.getProperty ("name").toString(), "Vars");
    ASSERT_EQ (group.getNumChildren(), 2);

    const char* sizeIds[] = { "width", "height" };
    for (int i = 0; i < 2; ++i)
    {
        const auto parameter = group.getChild (i);
        EXPECT_EQ (parameter.getType().toString(), "Parameter");
        EXPECT_EQ (parameter.getProperty ("id").toString(), sizeIds[i]);
        EXPECT_TRUE (parameter.getProperty ("value").isDouble());
        EXPECT_EQ ((double) parameter.getProperty ("value"), 0.0);
    }
}

TEST (State, SavingTwiceGivesTheSameBytesAndOneVariablesChild)
{
    ProcessorHarness h;
    setSomeValues (h);
    const auto first = h.save(), second = h.save();
    EXPECT_EQ (first, second);

    int variablesChildren = 0;
    for (const auto& child : decode (second))
        variablesChildren += child.hasType ("Variables") ? 1 : 0;
    EXPECT_EQ (variablesChildren, 1);
}

TEST (State, SavedEditorSizeComesBack)
{
    ProcessorHarness source, target;
    source.processor->variableTree.setProperty ("width", 1000, nullptr);
    source.processor->variableTree.setProperty ("height", 500, nullptr);

    target.restore (source.save());
    EXPECT_EQ (target.processor->windowWidth, 1000.0f);
    EXPECT_EQ (target.processor->windowHeight, 500.0f);
}

TEST (State, SaveStraightAfterAChangeStoresTheNewValue)
{
    // No message loop runs between the change and the save.
    ProcessorHarness source, target;
    source.set (id (trim), 5.0f);
    source.set (id (graphicGain1 + 9), -11.0f);
    const auto bytes = source.save();

    EXPECT_EQ ((float) paramChild (decode (bytes), id (trim)).getProperty ("value"), 5.0f);

    target.restore (bytes);
    EXPECT_EQ (target.get (id (trim)), 5.0f);
    EXPECT_EQ (target.get (id (graphicGain1 + 9)), -11.0f);
}

TEST (State, AStateWithoutVariablesForgetsTheSizeButTheNextSaveStoresTheOneWrittenAfterIt)
{
    ProcessorHarness source;
    setSomeValues (source);
    writeSizeAsTheEditorDoes (source, 800, 400);
    const auto withVariables = source.save();

    auto withoutVariables = decode (withVariables);
    withoutVariables.removeChild (withoutVariables.getChildWithName ("Variables"), nullptr);

    // States that carry parameters but no "Variables": ours without it, one of another root type
    // holding a single parameter, and a root with no children at all.
    juce::ValueTree otherRoot ("SomethingElse"), trimChild ("PARAM");
    trimChild.setProperty ("id", id (trim), nullptr).setProperty ("value", 3.0, nullptr);
    otherRoot.appendChild (trimChild, nullptr);

    // Parameters missing from the tree take their defaults.
    ProcessorHarness defaults;
    auto defaultsButTrim = allValues (defaults);
    defaultsButTrim[(size_t) trim] = 3.0f;

    struct Case { const char* name; juce::ValueTree tree; std::array<float, count> values; };
    const Case cases[] = {
        { "saved state less its Variables", withoutVariables, allValues (source) },
        { "another root with one parameter", otherRoot, defaultsButTrim },
        { "bare root", juce::ValueTree ("PARAMETERS"), allValues (defaults) },
    };

    const auto freshVariables = decode (ProcessorHarness().save()).getChildWithName ("Variables");
    ASSERT_TRUE (freshVariables.isValid());

    for (const auto& c : cases)
    {
        ProcessorHarness target;
        target.restore (withVariables);
        ASSERT_EQ (target.processor->windowWidth, 800.0f) << c.name;

        // The parameters restore as the tree says and no size comes back...
        target.restore (encode (c.tree));
        EXPECT_EQ (allValues (target), c.values) << c.name;
        EXPECT_EQ (target.processor->windowWidth, 0.0f) << c.name;
        EXPECT_EQ (target.processor->windowHeight, 0.0f) << c.name;

        // ...yet the instance keeps a variables tree as a new one has, and saves it.
        EXPECT_TRUE (decode (target.save()).getChildWithName ("Variables").isEquivalentTo (freshVariables)) << c.name;

        // A size written after the restore reaches the next save and the restore after it.
        writeSizeAsTheEditorDoes (target, 1000, 500);
        ProcessorHarness reloaded;
        reloaded.restore (target.save());
        EXPECT_EQ (allValues (reloaded), c.values) << c.name;
        EXPECT_EQ (reloaded.processor->windowWidth, 1000.0f) << c.name;
        EXPECT_EQ (reloaded.processor->windowHeight, 500.0f) << c.name;
    }
}

TEST (State, BytesThatHoldNoTreeChangeNothing)
{
    ProcessorHarness h;
    setSomeValues (h);
    const auto before = allValues (h);
    h.processor->windowWidth = 640.0f;

    const juce::uint8 zero[] = { 0, 1, 2, 3 };
    h.processor->setStateInformation (nullptr, 0);
    h.processor->setStateInformation (zero, 0);
    h.processor->setStateInformation (zero, (int) sizeof (zero));
    h.processor->setStateInformation (zero, -5);

    EXPECT_EQ (allValues (h), before);
    EXPECT_EQ (h.processor->windowWidth, 640.0f);
}

namespace
{
// Bytes the reader rejects, most of them made from a real saved state.
std::vector<std::pair<std::string, juce::MemoryBlock>> rejectedStates (const juce::MemoryBlock& real)
{
    const auto* realBytes = static_cast<const juce::uint8*> (real.getData());
    const juce::uint8 zeros[8] {};

    // Invalid UTF-8 or an impossible count wherever it lands: no double value absorbs sixteen bytes.
    auto corrupted = real;
    std::memset (static_cast<juce::uint8*> (corrupted.getData()) + real.getSize() / 2, 0xff, 16);

    juce::MemoryBlock random (300);
    juce::Random (41).fillBitsRandomly (random.getData(), random.getSize());

    return {
        { "empty", {} },
        { "one zero byte", juce::MemoryBlock (zeros, 1) },
        { "a few zero bytes", juce::MemoryBlock (zeros, sizeof (zeros)) },
        { "cut by its last byte", juce::MemoryBlock (realBytes, real.getSize() - 1) },
        { "cut in half", juce::MemoryBlock (realBytes, real.getSize() / 2) },
        { "corrupted in the middle", corrupted },
        { "random bytes", random },
    };
}
} // namespace

TEST (State, ARejectedStateKeepsTheValuesAndTheSizeForTheNextSaves)
{
    ProcessorHarness source;
    setSomeValues (source);
    writeSizeAsTheEditorDoes (source, 1000, 500);
    const auto real = source.save();
    const auto values = allValues (source);

    for (const auto& [name, bytes] : rejectedStates (real))
    {
        ASSERT_FALSE (StateReader::read (bytes.getData(), bytes.getSize()).isValid()) << name;

        // The size got there by a restore, or by the editor in this session with no save yet.
        for (const bool sizeWasRestored : { true, false })
        {
            const auto context = name + (sizeWasRestored ? " after a restore" : " after the editor wrote the size");
            ProcessorHarness h;

            if (sizeWasRestored)
            {
                h.restore (real);
            }
            else
            {
                setSomeValues (h);
                writeSizeAsTheEditorDoes (h, 1000, 500);
            }

            h.restore (bytes);
            EXPECT_EQ (allValues (h), values) << context;
            EXPECT_EQ (h.processor->windowWidth, 1000.0f) << context;
            EXPECT_EQ (h.processor->windowHeight, 500.0f) << context;

            ProcessorHarness reloaded;
            reloaded.restore (h.save());
            EXPECT_EQ (allValues (reloaded), values) << context;
            EXPECT_EQ (reloaded.processor->windowWidth, 1000.0f) << context;
            EXPECT_EQ (reloaded.processor->windowHeight, 500.0f) << context;

            // A later resize is still stored.
            writeSizeAsTheEditorDoes (h, 1100, 550);
            ProcessorHarness later;
            later.restore (h.save());
            EXPECT_EQ (allValues (later), values) << context;
            EXPECT_EQ (later.processor->windowWidth, 1100.0f) << context;
            EXPECT_EQ (later.processor->windowHeight, 550.0f) << context;
        }
    }
}

TEST (State, ATreeHoldingOnlySomeParametersResetsTheOthers)
{
    ProcessorHarness h;
    setSomeValues (h);

    juce::ValueTree partial ("SomethingElse");
    juce::ValueTree trimChild ("PARAM");
    trimChild.setProperty ("id", id (trim), nullptr).setProperty ("value", 3.0, nullptr);
    partial.appendChild (trimChild, nullptr);
    h.restore (encode (partial));

    EXPECT_EQ (h.get (id (trim)), 3.0f);
    EXPECT_EQ (h.get (id (lowpass)), 20000.0f);
    EXPECT_EQ (h.get (id (graphicOn)), 1.0f);
}

TEST (State, OutOfRangeValuesAreClampedAndNonFiniteOnesFallBackToTheDefault)
{
    ProcessorHarness source;
    auto tree = decode (source.save());
    paramChild (tree, id (trim)).setProperty ("value", 100.0, nullptr);
    paramChild (tree, id (highpass)).setProperty ("value", -5.0, nullptr);
    paramChild (tree, id (drive)).setProperty ("value", std::numeric_limits<double>::quiet_NaN(), nullptr);
    paramChild (tree, id (graphicGain1)).setProperty ("value", std::numeric_limits<double>::infinity(), nullptr);
    paramChild (tree, id (parametricGain1)).setProperty ("value", 1.0e300, nullptr);
    tree.getChildWithName ("Variables").setProperty ("width", std::numeric_limits<double>::quiet_NaN(), nullptr);

    ProcessorHarness target;
    target.set (id (drive), 7.0f);
    target.prepare (44100.0, 512);
    target.restore (encode (tree));

    EXPECT_EQ (target.get (id (trim)), 24.0f);
    EXPECT_EQ (target.get (id (highpass)), 20.0f);
    EXPECT_EQ (target.get (id (drive)), 0.0f);
    EXPECT_EQ (target.get (id (graphicGain1)), 0.0f);
    EXPECT_EQ (target.get (id (parametricGain1)), 12.0f); // finite, only too large for a float
    EXPECT_EQ (target.processor->windowWidth, 0.0f);

    juce::AudioBuffer<float> buffer (2, 2048);
    juce::Random random (1);
    TestSignals::fillNoise (buffer, random);
    target.render (buffer);
    EXPECT_TRUE (TestSignals::allFinite (buffer));
}

namespace
{
// Every "value" anywhere in a saved tree is a finite number.
void expectEveryValueFinite (const juce::ValueTree& tree, const std::string& context)
{
    if (tree.hasProperty ("value"))
    {
        EXPECT_TRUE (std::isfinite ((double) tree.getProperty ("value")))
            << context << ": " << tree.getType().toString() << " " << tree.getProperty ("id").toString();
    }

    for (const auto& child : tree)
        expectEveryValueFinite (child, context);
}

// After a hostile restore: every parameter is finite (raw and normalised), the next save holds
// only finite values, and that save restores into another instance exactly.
void expectFiniteAndStable (ProcessorHarness& h, const std::string& context)
{
    for (int i = 0; i < count; ++i)
    {
        ASSERT_TRUE (std::isfinite (h.get (id (i)))) << context << ": " << id (i);
        ASSERT_TRUE (std::isfinite (h.parameter (id (i)).getValue())) << context << ": " << id (i);
    }

    const auto saved = h.save();
    expectEveryValueFinite (decode (saved), context);

    ProcessorHarness again;
    again.restore (saved);
    EXPECT_EQ (allValues (again), allValues (h)) << context;
    EXPECT_EQ (again.save(), saved) << context;
}
} // namespace

TEST (State, AChildOfAnyTypeCarryingAParameterIdCannotSetItToNaN)
{
    // Root "P" with one child "X" whose "id" is "trim" and whose "value" is a NaN double: the
    // framework binds any child with a matching id, whatever its type.
    juce::MemoryBlock bytes;
    bytes.loadFromHexString ("5000000101580001026964000106057472696d0076616c756500010904000000000000f87f00");
    ASSERT_EQ (bytes.getSize(), 38u);
    ASSERT_TRUE (std::isnan ((double) StateReader::read (bytes.getData(), bytes.getSize()).getChild (0).getProperty ("value")));

    ProcessorHarness h;
    h.set (id (trim), 5.0f);
    h.restore (bytes);
    EXPECT_EQ (h.get (id (trim)), 0.0f);
    expectFiniteAndStable (h, "hex state");
}

TEST (State, NoNamingNestingOrSpellingOfAValueLeavesAParameterNonFinite)
{
    const auto nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();

    // Values the framework reads as a non-finite float: doubles, strings it parses, and
    // doubles beyond the float range, which end at the top of the parameter's range.
    struct BadValue { const char* name; juce::var value; bool clampsToMax; };
    const BadValue values[] = {
        { "NaN", nan, false }, { "+inf", inf, false }, { "-inf", -inf, false },
        { "\"nan\"", "nan", false }, { "\" NaN\"", " NaN", false }, { "\"inf\"", "inf", false },
        { "\"-Inf\"", "-Inf", false }, { "\"1e999\"", "1e999", false }, { "\"-1e400\"", "-1e400", false },
        { "1e300", 1.0e300, true }, { "\"1e39\"", "1e39", true },
    };
    const char* childTypes[] = { "X", "PAVAM", "Parameter", "PARAM", "Variables" };
    const int parameters[] = { trim, drive, parametricGain1 + 2, highpass, quality, graphicOn, parametricFreq1 + 3 };

    ProcessorHarness reference;
    const auto realState = decode (reference.save());

    for (const auto& bad : values)
        for (const auto* type : childTypes)
            for (const auto index : parameters)
                for (const bool insideRealState : { false, true })
                {
                    const auto context = std::string (type) + " " + id (index) + " = " + bad.name
                                         + (insideRealState ? " after the real children" : " alone");

                    // Alone under a root of another type, or appended after the real "PARAM"
                    // children, where the framework binds the later child.
                    auto tree = insideRealState ? realState.createCopy() : juce::ValueTree ("P");
                    juce::ValueTree child (type);
                    child.setProperty ("id", id (index), nullptr).setProperty ("value", bad.value, nullptr);
                    tree.appendChild (child, nullptr);

                    ProcessorHarness h;
                    setSomeValues (h);
                    h.set (id (index), h.parameter (id (index)).convertFrom0to1 (0.75f));
                    h.restore (encode (tree));

                    auto& parameter = h.parameter (id (index));
                    const auto expected = bad.clampsToMax ? parameter.getNormalisableRange().end
                                                          : parameter.convertFrom0to1 (parameter.getDefaultValue());
                    EXPECT_EQ (h.get (id (index)), expected) << context;
                    expectFiniteAndStable (h, context);
                }

    // Nested below another child the framework binds nothing, yet the value would still be saved
    // again; the restore drops it there too.
    auto nested = realState.createCopy();
    juce::ValueTree deep ("PARAM");
    deep.setProperty ("id", id (trim), nullptr).setProperty ("value", nan, nullptr);
    nested.getChildWithName ("Variables").getChild (0).appendChild (deep, nullptr);
    nested.getChildWithName ("Variables").setProperty ("value", "inf", nullptr);

    ProcessorHarness h;
    h.restore (encode (nested));
    EXPECT_EQ (allValues (h), allValues (reference));
    expectFiniteAndStable (h, "nested");
}

TEST (State, RestoringQualityOnPreparesTheChainForTwiceTheRate)
{
    ProcessorHarness source, target;
    source.set (id (quality), 1.0f);
    source.set (id (graphicGain1 + 5), 12.0f);

    target.prepare (44100.0, 512);
    target.restore (source.save());
    EXPECT_EQ (target.get (id (quality)), 1.0f);
    EXPECT_NEAR (TestSignals::toDecibels (target.measureGain (warpedCentre (1000.0f))), 12.0, 0.02);
}

//==============================================================================
TEST (StateReader, EveryTreeTheFrameworkWritesReadsBackExactly)
{
    juce::ValueTree root ("Root");
    root.setProperty ("int", 42, nullptr)
        .setProperty ("int64", (juce::int64) 1 << 40, nullptr)
        .setProperty ("double", -3.25, nullptr)
        .setProperty ("true", true, nullptr)
        .setProperty ("false", false, nullptr)
        .setProperty ("string", "h\xc3\xa9llo", nullptr)
        .setProperty ("empty", "", nullptr)
        .setProperty ("void", juce::var(), nullptr)
        .setProperty ("binary", juce::var (juce::MemoryBlock ("\x00\x01\x02", 3)), nullptr);

    juce::Array<juce::var> inner { 1, "two", 3.0 };
    juce::Array<juce::var> outer { juce::var (inner), juce::var (juce::Array<juce::var>()), false };
    root.setProperty ("array", outer, nullptr);

    juce::ValueTree level = root;
    for (int depth = 0; depth < 10; ++depth)
    {
        juce::ValueTree child ("Level" + juce::String (depth));
        child.setProperty ("depth", depth, nullptr);
        level.appendChild (child, nullptr);
        level.appendChild (juce::ValueTree ("Sibling"), nullptr);
        level = child;
    }

    ProcessorHarness h;
    for (const auto& tree : { root, decode (h.save()), juce::ValueTree ("Bare") })
    {
        const auto bytes = encode (tree);
        const auto read = StateReader::read (bytes.getData(), bytes.getSize());
        EXPECT_TRUE (read.isEquivalentTo (tree)) << tree.getType().toString();
    }
}

TEST (StateReader, RejectsCountsTheBytesCannotHold)
{
    // A property count of 0x7fffffff after a plausible root type: the framework's own reader
    // would loop for minutes over the missing properties.
    const juce::uint8 hugePropertyCount[16] = { 'P', 'A', 'R', 'A', 'M', 'E', 'T', 'E', 'R', 'S', 0, 4, 0xff, 0xff, 0xff, 0x7f };
    // The rest are built with the stream's own writers: a string with its terminator, and
    // compressed counts (a size byte, then that many little-endian bytes).
    auto bytes = [] (auto&& write)
    {
        juce::MemoryOutputStream out;
        write (out);
        return out.getMemoryBlock();
    };
    const juce::uint8 huge[] = { 4, 0xff, 0xff, 0xff, 0x7f };

    const juce::MemoryBlock cases[] = {
        juce::MemoryBlock (hugePropertyCount, sizeof (hugePropertyCount)),
        bytes ([&] (auto& o) { o.writeString ("P"); o.writeCompressedInt (0); o.write (huge, 5); }),                      // children
        bytes ([&] (auto& o) { o.writeString ("P"); o.writeCompressedInt (1); o.writeString ("a");                         // array
                               o.writeCompressedInt (6); o.writeByte (7); o.write (huge, 5); o.writeCompressedInt (0); }),
        bytes ([&] (auto& o) { o.writeString ("P"); o.writeCompressedInt (1); o.writeString ("a");                         // binary
                               o.write (huge, 5); o.writeByte (8); }),
        bytes ([&] (auto& o) { o.writeString ("P"); o.writeByte ((char) 0x81); o.writeByte (1); }),                        // negative
        bytes ([&] (auto& o) { o.writeString ("P"); o.writeCompressedInt (1); o.writeString ("a");                         // truncated int
                               o.writeCompressedInt (5); o.writeByte (1); o.writeShort (0); }),
        bytes ([&] (auto& o) { o.writeString ("P"); o.writeCompressedInt (1); o.writeString ("a");                         // length mismatch
                               o.writeCompressedInt (3); o.writeByte (1); o.writeInt (7); o.writeCompressedInt (0); }),
        bytes ([&] (auto& o) { o.write ("PAR", 3); }),                                                                     // no terminator
        bytes ([&] (auto& o) { o.writeString ("P"); o.writeCompressedInt (1); o.writeString ("");                          // empty name
                               o.writeCompressedInt (0); o.writeCompressedInt (0); }),
        bytes ([&] (auto& o) { o.writeString ("P"); o.writeCompressedInt (0); o.writeCompressedInt (1);                    // empty child
                               o.writeString (""); o.writeCompressedInt (0); o.writeCompressedInt (0); }),
        bytes ([&] (auto& o) { o.writeString ("P"); o.writeCompressedInt (0); }),                                          // no child count
    };

    for (const auto& block : cases)
        EXPECT_FALSE (StateReader::read (block.getData(), block.getSize()).isValid()) << block.toBase64Encoding();

    ProcessorHarness h;
    setSomeValues (h);
    const auto before = allValues (h);
    h.processor->setStateInformation (hugePropertyCount, (int) sizeof (hugePropertyCount));
    EXPECT_EQ (allValues (h), before);
}

TEST (StateReader, RejectsTextTheFrameworkNeverWrites)
{
    // The framework decodes names and string values as UTF-8 and writes back the UTF-8 of what
    // it decoded: a state holding other text would not restore to the bytes it saves.
    auto withName = [] (const char* type, const char* property)
    {
        juce::MemoryOutputStream o;
        o.write (type, std::strlen (type) + 1);
        o.writeCompressedInt (1);
        o.write (property, std::strlen (property) + 1);
        o.writeCompressedInt (2);
        o.writeByte (1);      // int marker with a truncated int: never reached when the name fails
        o.writeCompressedInt (0);
        return o.getMemoryBlock();
    };
    // A string value: its length with the marker and the terminator, the marker, the text.
    auto withString = [] (const void* text, size_t numBytes, bool terminated = true)
    {
        juce::MemoryOutputStream o;
        o.writeString ("P");
        o.writeCompressedInt (1);
        o.writeString ("value");
        o.writeCompressedInt ((int) numBytes + (terminated ? 2 : 1));
        o.writeByte (5);
        o.write (text, numBytes);
        if (terminated)
            o.writeByte (0);
        o.writeCompressedInt (0);
        return o.getMemoryBlock();
    };

    const juce::uint8 loneContinuation[] = { 0x80, 0, 0, 0 };
    const juce::MemoryBlock cases[] = {
        juce::MemoryBlock (loneContinuation, sizeof (loneContinuation)),    // type name
        withName ("PARAMETERS", "\xc0\xa9"),                                 // overlong property name
        withName ("P\xe2\x82", "value"),                                     // truncated sequence
        withString ("n\0n", 3),                                              // a zero inside a value
        withString ("\xff\xfe", 2),                                          // not UTF-8
        withString ("\xf0\x9f\x98", 3),                                      // truncated at the end
        withString ("nan", 3, false),                                        // no terminator
    };

    for (const auto& block : cases)
        EXPECT_FALSE (StateReader::read (block.getData(), block.getSize()).isValid()) << block.toBase64Encoding();

    // The same layout with text the framework writes reads back exactly.
    const auto fine = withString ("\xf0\x9f\x98\x80 caf\xc3\xa9", 10);
    const auto tree = StateReader::read (fine.getData(), fine.getSize());
    ASSERT_TRUE (tree.isValid());
    EXPECT_EQ (tree.getProperty ("value").toString(), juce::String::fromUTF8 ("\xf0\x9f\x98\x80 caf\xc3\xa9"));
    EXPECT_EQ (encode (tree), fine);
}

TEST (StateReader, RejectsNestingDeeperThanAnyStoredState)
{
    // 200000 nested one-letter children: the framework's reader would recurse that deep.
    juce::MemoryOutputStream bytes;
    const int depth = 200000;
    for (int i = 0; i < depth; ++i)
    {
        bytes.writeByte ('T');
        bytes.writeByte (0);
        bytes.writeCompressedInt (0);
        bytes.writeCompressedInt (1);
    }
    bytes.writeByte ('T');
    bytes.writeByte (0);
    bytes.writeCompressedInt (0);
    bytes.writeCompressedInt (0);

    EXPECT_FALSE (StateReader::read (bytes.getData(), bytes.getDataSize()).isValid());

    juce::ValueTree deepest ("T"), root = deepest;
    for (int i = 1; i < StateReader::maxDepth; ++i)
    {
        juce::ValueTree child ("T");
        deepest.appendChild (child, nullptr);
        deepest = child;
    }
    const auto allowed = encode (root);
    EXPECT_TRUE (StateReader::read (allowed.getData(), allowed.getSize()).isEquivalentTo (root));
}

TEST (StateReader, RandomAndMutatedBlocksRestoreSafelyAndQuickly)
{
    ProcessorHarness source;
    setSomeValues (source);
    source.processor->variableTree.setProperty ("width", 1200, nullptr);
    const auto real = source.save();

    ProcessorHarness target;
    target.prepare (44100.0, 256);
    juce::Random random (20261210);
    juce::AudioBuffer<float> buffer (2, 256);
    double slowest = 0.0;
    int accepted = 0;

    for (int round = 0; round < 4000; ++round)
    {
        juce::MemoryBlock block;

        if (round % 4 == 0)
        {
            block.setSize ((size_t) random.nextInt (600));
            random.fillBitsRandomly (block.getData(), block.getSize());
        }
        else
        {
            block = real;
            auto* bytes = static_cast<juce::uint8*> (block.getData());
            const int mutations = 1 + random.nextInt (8);

            for (int m = 0; m < mutations; ++m)
            {
                const auto at = (size_t) random.nextInt ((int) block.getSize());

                switch (random.nextInt (4))
                {
                    case 0: bytes[at] = (juce::uint8) random.nextInt (256); break;
                    case 1: bytes[at] ^= (juce::uint8) (1 << random.nextInt (8)); break;
                    case 2: block.setSize (at); break; // truncation
                    default: // a count or length byte made huge
                        if (at + 5 <= block.getSize())
                        {
                            bytes[at] = 4;
                            bytes[at + 1] = bytes[at + 2] = bytes[at + 3] = 0xff;
                            bytes[at + 4] = 0x7f;
                        }
                        break;
                }

                bytes = static_cast<juce::uint8*> (block.getData());
                if (block.getSize() == 0)
                    break;
            }
        }

        const auto start = std::chrono::steady_clock::now();
        target.restore (block);
        const auto seconds = std::chrono::duration<double> (std::chrono::steady_clock::now() - start).count();
        slowest = std::max (slowest, seconds);
        accepted += StateReader::read (block.getData(), block.getSize()).isValid() ? 1 : 0;

        // A hang guard, not a speed figure: a restore that loops over a bogus count takes minutes.
        ASSERT_LT (seconds, 1.0) << "round " << round;

        for (int i = 0; i < count; ++i)
        {
            auto& parameter = target.parameter (id (i));
            const auto value = target.get (id (i));
            ASSERT_TRUE (std::isfinite (value)) << id (i);
            ASSERT_GE (value, parameter.getNormalisableRange().start) << id (i);
            ASSERT_LE (value, parameter.getNormalisableRange().end) << id (i);
        }

        TestSignals::fillNoise (buffer, random);
        target.render (buffer);
        ASSERT_TRUE (TestSignals::allFinite (buffer)) << "round " << round;
    }

    // Mutations that leave the structure intact (a changed value byte) still restore.
    EXPECT_GT (accepted, 100);
    std::cout << "slowest restore: " << slowest * 1000.0 << " ms" << std::endl;
}
