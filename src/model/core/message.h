#pragma once
// What the data layer asks the user interface to show. The model never shows
// anything itself; it returns these and the caller puts them on screen.

#include <string>
#include <vector>

namespace kivo {

enum class MessageIcon { None, Warning, Question, Error };

inline constexpr const char* kDefaultCaption = "Kivo";

struct Message {
  std::string text;
  MessageIcon icon = MessageIcon::Warning;
  std::string caption = kDefaultCaption;
  // Shown under the text in smaller print: for a file that could not be
  // read or written, its path and the system's reason.
  std::string detail{};

  bool operator==(const Message&) const = default;
};

using Messages = std::vector<Message>;

}  // namespace kivo
