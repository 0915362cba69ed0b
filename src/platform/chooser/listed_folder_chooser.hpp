#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/chooser/folder_chooser.hpp"

namespace velmorant::platform {

// Stands in for the desktop's chooser: gives the answers it was handed, one a question, and
// cancels once they are used up.
class ListedFolderChooser final : public FolderChooser {
 public:
  explicit ListedFolderChooser(std::deque<FolderChoice> answers) : answers_(std::move(answers)) {}

  FolderChoice Choose(const std::string& title) override {
    titles_.push_back(title);
    if (answers_.empty()) return {};
    FolderChoice answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }
  // The titles of the questions asked, in order.
  const std::vector<std::string>& Titles() const { return titles_; }

 private:
  std::deque<FolderChoice> answers_;
  std::vector<std::string> titles_;
};

}  // namespace velmorant::platform
