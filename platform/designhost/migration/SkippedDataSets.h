#pragma once
// The datasets of a form that a migration leaves alone, each with its
// reason: one inherited from an ancestor form that is not in the run (the
// ancestor's component; converting it in the descendant would declare a
// second object of its name), one inside an inline frame (the frame's component), and one whose
// class merely descends from a convertible class (only the listed classes
// themselves are converted).
#include <string>
#include <vector>

class THiddenComponents;
class TModule;
class TUnitClassParents;
struct TSkippedDataSet;

// ancestorInRun: the file of the form's ancestor among the run's modules;
// empty when it is not there. Every inherited dataset is hidden from the
// migrator through hidden; those whose ancestor is in the run are not
// listed, as they follow the ancestor's conversion.
std::vector<TSkippedDataSet> FindSkippedDataSets(TModule& module, const TUnitClassParents& classes,
                                                 const std::string& ancestorInRun, THiddenComponents& hidden);
