#pragma once
// The objects of a form file as a migration looks at them: those of the
// form itself by name, those inside inline frames apart, and a value in a
// few words for a report.
#include "streaming/FormTree.h"

#include <map>
#include <string>
#include <vector>

struct TNodeInfo {
  const TFormObject* Node;
  const TFormObject* Inline;  // the inline frame it lies in; none on the form itself
};

struct TFormNodes {
  std::map<std::string, TNodeInfo> Own;  // by lower-case name
  std::vector<TNodeInfo> Framed;         // in file order
};

// The objects under root, at any depth: those whose owner is the form (by
// lower-case name) and those inside inline frames, whose owner is the frame.
TFormNodes CollectFormNodes(const TFormObject& root);

// A value in a few words: a string quoted and cut at 60 characters, a list
// or collection by its size.
std::string ValueSummary(const TFormValue& value);
