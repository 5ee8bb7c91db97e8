#pragma once

#include <juce_data_structures/juce_data_structures.h>

/**
    Reading a stored state safely.

    juce::ValueTree::readFromStream trusts the counts inside the bytes: a property or child
    count near 2^31 in a corrupt block keeps it looping (or allocating) for minutes, and deep
    nesting recurses without limit. read() first walks the bytes with the same grammar and
    rejects anything that cannot be a tree the framework wrote - counts larger than the bytes
    left can hold, truncated values, empty names, text that is not the UTF-8 the framework writes,
    nesting deeper than any state of ours - in time proportional to the number of bytes. Only
    blocks that pass are handed to the framework.
*/
namespace StateReader
{
/** Returns the tree held by the bytes, or an invalid tree when they cannot hold one. */
juce::ValueTree read (const void* data, size_t numBytes);

/** Removes every "value" property in the tree, at any depth and whatever the type of the tree
    holding it, that does not read as a finite number, and brings finite ones beyond the float
    range to its edge, from where the framework clamps them.

    The framework binds every direct child that carries a parameter's "id" to that parameter,
    whatever the child's type, and reads its "value" as a float through juce::var: a NaN or
    infinite double, a string such as "nan", "-inf" or "1e999", or a double too large for a float
    would all leave the parameter non-finite. Without its value the parameter takes its default. */
void dropNonFiniteValues (juce::ValueTree& state);

/** A saved editor size: the property as a number of pixels, 0 when missing or not finite. */
float readSize (const juce::ValueTree& variables, const juce::Identifier& property);

/** Deepest nesting of trees and arrays accepted; the plug-in's own states nest four deep. */
constexpr int maxDepth = 64;
} // namespace StateReader
