#pragma once
// Every published value of an object as "path=value" lines, read through the property
// model: sub-objects are walked with dotted paths, references give the target's name,
// string lists and text lines their text, custom binary data its bytes in hex. Two
// objects with equal lists compare equal property by property, and a failing
// EXPECT_EQ on the lists names the property that differs.

#include <string>
#include <vector>

namespace quarlo {
class TPersistent;
class TfrxComponent;
}

namespace quarlo::testing {

std::vector<std::string> PublishedValues(TPersistent& object);
// The component and all its descendants (depth-first), each line prefixed with the
// object's position in the tree, class and name.
std::vector<std::string> TreeValues(TfrxComponent& root);

// "" when both lists are equal, otherwise the first line where they part (both sides).
std::string FirstDifference(const std::vector<std::string>& actual,
                            const std::vector<std::string>& expected);

}  // namespace quarlo::testing
