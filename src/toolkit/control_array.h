#pragma once
#include <map>
#include <memory>
#include <string>

#include "toolkit/control.h"
#include "toolkit/errors.h"

namespace frost {

// A control array: a design-time member at index 0 and members created at run time with Load,
// each a copy of the design-time member's properties (hidden, as new members start).
// T provides `void CopyDesignFrom(const T& design)`.
template <class T>
class ControlArray {
 public:
  ControlArray(Form& form, Control* container, std::string name)
      : form_(form), container_(container), name_(std::move(name)) {
    members_[0] = std::make_unique<T>(form_, container_, name_, 0);
  }

  T& operator()(int index) {
    auto found = members_.find(index);
    if (found == members_.end()) {
      throw RuntimeError(error::kNoSuchArrayElement,
                         "Control array element '" + std::to_string(index) + "' doesn't exist");
    }
    return *found->second;
  }

  T& Load(int index) {
    if (members_.contains(index)) {
      throw RuntimeError(error::kAlreadyLoaded, "Object already loaded");
    }
    auto member = std::make_unique<T>(form_, container_, name_, index);
    member->CopyDesignFrom(*members_.at(0));
    member->SetVisible(false);
    return *(members_[index] = std::move(member));
  }

 private:
  Form& form_;
  Control* container_;
  std::string name_;
  std::map<int, std::unique_ptr<T>> members_;
};

}  // namespace frost
