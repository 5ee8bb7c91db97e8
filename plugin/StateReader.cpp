#include "StateReader.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace StateReader
{
namespace
{
// The marker bytes of juce::var's binary stream format.
enum VarMarker : juce::uint8
{
    markerInt = 1,
    markerBoolTrue = 2,
    markerBoolFalse = 3,
    markerDouble = 4,
    markerString = 5,
    markerInt64 = 6,
    markerArray = 7,
    markerBinary = 8
};

/** Walks a ValueTree byte stream exactly as juce::ValueTree::readFromStream consumes it,
    failing on anything a well-formed stream cannot contain. Every step consumes at least one
    byte, and every count is checked against the bytes left before it drives a loop. */
class StreamChecker
{
public:
    StreamChecker (const juce::uint8* start, size_t size) : pos (start), end (start + size) {}

    // Returns false for bytes that cannot be read as a tree; isValidTree tells whether the root
    // is a real tree or the framework's "no tree" (an empty type name).
    bool checkRoot (bool& isValidTree) { return checkTree (0, isValidTree); }

private:
    size_t remaining() const noexcept { return (size_t) (end - pos); }

    bool skip (size_t numBytes) noexcept
    {
        if (remaining() < numBytes)
            return false;

        pos += numBytes;
        return true;
    }

    // Text the framework would decode into a string that it then writes back as other bytes:
    // bytes that are not UTF-8, a zero inside a value, an overlong encoding. The framework only
    // ever writes the UTF-8 of its own strings, and a state of such text would not restore
    // to the bytes it saves.
    static bool isTextTheFrameworkWrites (const juce::uint8* start, size_t numBytes)
    {
        if (numBytes > (size_t) std::numeric_limits<int>::max())
            return false;

        const auto* text = reinterpret_cast<const char*> (start);

        if (! juce::CharPointer_UTF8::isValidString (text, (int) numBytes))
            return false;

        const auto decoded = juce::String::fromUTF8 (text, (int) numBytes);
        return decoded.getNumBytesAsUTF8() == numBytes && std::memcmp (decoded.toRawUTF8(), text, numBytes) == 0;
    }

    bool readString (bool& isEmpty)
    {
        const auto* terminator = static_cast<const juce::uint8*> (std::memchr (pos, 0, remaining()));

        if (terminator == nullptr || ! isTextTheFrameworkWrites (pos, (size_t) (terminator - pos)))
            return false;

        isEmpty = (terminator == pos);
        pos = terminator + 1;
        return true;
    }

    bool readCompressedInt (int& result) noexcept
    {
        if (remaining() < 1)
            return false;

        const auto sizeByte = *pos++;

        if (sizeByte == 0)
        {
            result = 0;
            return true;
        }

        // Every compressed number in a tree stream is a count or a length, never negative.
        const auto numBytes = (size_t) (sizeByte & 0x7f);

        if ((sizeByte & 0x80) != 0 || numBytes > 4 || remaining() < numBytes)
            return false;

        juce::uint32 value = 0;

        for (size_t i = 0; i < numBytes; ++i)
            value |= (juce::uint32) pos[i] << (8 * i);

        if (value > (juce::uint32) std::numeric_limits<int>::max())
            return false;

        pos += numBytes;
        result = (int) value;
        return true;
    }

    // A count that drives a loop whose every pass consumes at least minBytesEach bytes.
    bool readCount (int& count, size_t minBytesEach) noexcept
    {
        return readCompressedInt (count) && (size_t) count <= remaining() / minBytesEach;
    }

    bool checkVar (int depth)
    {
        int numBytes = 0;

        if (! readCompressedInt (numBytes))
            return false;

        if (numBytes == 0)
            return true;

        if ((size_t) numBytes > remaining())
            return false;

        const auto* valueEnd = pos + numBytes;
        const auto marker = *pos++;

        switch (marker)
        {
            case markerInt:       if (! skip (4)) return false; break;
            case markerInt64:
            case markerDouble:    if (! skip (8)) return false; break;
            case markerBoolTrue:
            case markerBoolFalse: break;

            case markerString:
                // The framework writes a string's terminator too.
                if (valueEnd == pos || valueEnd[-1] != 0 || ! isTextTheFrameworkWrites (pos, (size_t) (valueEnd - pos) - 1))
                    return false;

                pos = valueEnd;
                break;

            case markerArray:
            {
                int count = 0;

                if (depth >= maxDepth || ! readCount (count, 1))
                    return false;

                for (int i = 0; i < count; ++i)
                    if (! checkVar (depth + 1))
                        return false;

                break;
            }

            default:
                // Binary data and markers this reader does not know are skipped by their
                // length, as the framework does.
                pos = valueEnd;
                break;
        }

        return pos == valueEnd;
    }

    bool checkTree (int depth, bool& isValidTree)
    {
        bool typeIsEmpty = true;

        if (! readString (typeIsEmpty))
            return false;

        isValidTree = ! typeIsEmpty;

        if (typeIsEmpty)
            return true;

        // A property needs at least a one-character name with its terminator and a length byte.
        int numProperties = 0;

        if (! readCount (numProperties, 3))
            return false;

        for (int i = 0; i < numProperties; ++i)
        {
            bool nameIsEmpty = true;

            if (! readString (nameIsEmpty) || nameIsEmpty || ! checkVar (depth))
                return false;
        }

        int numChildren = 0;

        if (! readCount (numChildren, 1) || (numChildren > 0 && depth >= maxDepth))
            return false;

        for (int i = 0; i < numChildren; ++i)
        {
            bool childIsValid = false;

            // The framework never writes an empty child; one in the bytes means corruption.
            if (! checkTree (depth + 1, childIsValid) || ! childIsValid)
                return false;
        }

        return true;
    }

    const juce::uint8* pos;
    const juce::uint8* end;
};
} // namespace

juce::ValueTree read (const void* data, size_t numBytes)
{
    if (data == nullptr || numBytes == 0)
        return {};

    bool isValidTree = false;
    StreamChecker checker (static_cast<const juce::uint8*> (data), numBytes);

    if (! checker.checkRoot (isValidTree) || ! isValidTree)
        return {};

    juce::MemoryInputStream stream (data, numBytes, false);
    return juce::ValueTree::readFromStream (stream);
}

void dropNonFiniteValues (juce::ValueTree& state)
{
    static const juce::Identifier valueProperty ("value");

    if (state.hasProperty (valueProperty))
    {
        // The same conversion the framework applies before it narrows the value to a float.
        const auto value = (double) state.getProperty (valueProperty);

        if (! std::isfinite (value))
            state.removeProperty (valueProperty, nullptr);
        else if (std::abs (value) > (double) std::numeric_limits<float>::max())
            state.setProperty (valueProperty, std::copysign ((double) std::numeric_limits<float>::max(), value), nullptr);
    }

    // read() limits the nesting to maxDepth, so the recursion stays shallow.
    for (auto child : state)
        dropNonFiniteValues (child);
}

float readSize (const juce::ValueTree& variables, const juce::Identifier& property)
{
    const auto size = (float) (double) variables.getProperty (property);
    return std::isfinite (size) ? size : 0.0f;
}
} // namespace StateReader
