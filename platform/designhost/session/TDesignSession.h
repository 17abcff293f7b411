#pragma once
// The design session: what a form designer shows and does, without any
// toolkit. It holds the open modules (form files with their units), the
// selection, the component tree, the inspector's rows through the
// registered property editors, the verbs of the component editors, drop,
// rename and delete, the modified state and saving. The command line and
// the graphical host are thin layers over it.
#include "classes/TComponentRef.h"
#include "designhost/ModuleServices.h"
#include "designhost/ModuleServicesAccess.h"
#include "designhost/PropertyAttributes.h"
#include "designhost/session/TDesignModule.h"
#include "streaming/TFormFile.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TClassInfo;
class TClassRegistry;
class TComponent;
class TDesignRegistry;
class TPersistent;
class TPropertyEditor;

// One line of the property inspector.
struct TInspectorRow {
  std::string Name;
  std::string TypeName;
  std::string EditorClass;
  TPropertyAttributes Attributes;
  std::string Value;  // a secret's value shows only whether it is set
  std::string Error;  // the message of a value that could not be read
  bool HasSubProperties = false;  // a class property whose object has properties of its own
};

// Where a dropped component goes; empty fields take the designer's choice.
struct TDropOptions {
  std::string Name;
  std::optional<int> Left, Top;
  // A field's dataset; a control's container (a panel, a group box, a
  // page, the form), else the form. Left and Top are the container's.
  std::string Parent;
};

class TDesignSession {
public:
  explicit TDesignSession(const TClassRegistry& classes, const TDesignRegistry& design);
  ~TDesignSession();
  TDesignSession(const TDesignSession&) = delete;
  TDesignSession& operator=(const TDesignSession&) = delete;

  // Opens form files with the units beside them; all or none: raises
  // EFormError or EInOutError for the first bad file. Files already open
  // are returned as they are.
  std::vector<TDesignModule*> Open(const std::vector<std::string>& files);
  // Opens the files that can be read; each one that cannot is left out and
  // listed in failures (references into it stay as read).
  std::vector<TDesignModule*> OpenLeavingOut(const std::vector<std::string>& files,
                                             std::vector<TModuleServices::TOpenFailure>& failures);
  TModuleServices& Services() { return FServices; }
  // The classes the session makes components of.
  const TClassRegistry& Classes() const { return FClasses; }
  int ModuleCount() const { return static_cast<int>(FModules.size()); }
  TDesignModule& Module(int index) const;
  TDesignModule* FindModule(const std::string& fileName) const;
  // The module whose form holds component.
  TDesignModule* ModuleOf(const TComponent* component) const;
  // The component of that name on the module's form ("Root.Name" reaches
  // another open form); raises Exception "FILE has no component NAME".
  TComponent& FindComponent(TDesignModule& module, const std::string& name) const;

  // The components the inspector and the verbs work on, all of one module.
  void Select(const std::vector<TComponent*>& components);
  std::vector<TComponent*> Selection() const;
  // The module's components in form order, each with its tree parent.
  std::vector<TFormFile::TTreeEntry> ComponentTree(TDesignModule& module);

  // The inspector over the selection: the properties every selected
  // component has (with several selected, those whose editor allows it).
  std::vector<TInspectorRow> InspectorRows();
  // The sub-properties of a class property ("Constraints", "Font.Style")
  // as rows named by their dotted paths ("Constraints.MaxHeight"), in the
  // order the sub-object declares them.
  std::vector<TInspectorRow> SubPropertyRows(const std::string& property);
  // The editor of one property of the selection, or of a sub-property by
  // its dotted path; raises when a selected component lacks it, naming the
  // component, or when the path reaches no sub-property.
  std::unique_ptr<TPropertyEditor> PropertyEditor(const std::string& property);
  // The drop-down list, sorted when the editor asks for a sorted list;
  // raises when the property has none.
  std::vector<std::string> PropertyValues(const std::string& property);
  // Types value into the inspector; returns the value shown afterwards.
  // Raises for a read-only property.
  std::string SetPropertyValue(const std::string& property, const std::string& value);
  // Presses the ellipsis button; raises when the property has no dialog.
  // Returns the value shown afterwards.
  std::string EditProperty(const std::string& property);

  // The context-menu verbs of a component through its component editor.
  std::vector<std::string> Verbs(TComponent& component);
  // Runs verb index; returns its text as the menu showed it. Components
  // the verb made or freed are declared in, or leave, the module's unit.
  std::string ExecuteVerb(TComponent& component, int index);

  // Drops a component of the class on the module's form; raises (and
  // changes nothing) for an unknown class, a bad or taken name or parent.
  TComponent& AddComponent(TDesignModule& module, const std::string& className, const TDropOptions& options = {});
  // Renames a component of the module's own, and its inherited copies in
  // the open descendant forms; raises (and changes nothing) for an
  // inherited or inline component, a bad or taken name. Its declaration
  // and its mentions in the code of the form class's methods follow in the
  // unit. The root goes through RenameRoot. Returns "File: line N" for
  // each line of code changed.
  std::vector<std::string> RenameComponent(TDesignModule& module, TComponent& component, const std::string& newName);
  // Renames the form itself. A class named "T" + the old name follows
  // ("TOld" -> "TNew") where the class is the form's own, and with it the
  // unit's class declaration, methods and "Old: TOld;" variable, and the
  // ancestor named in the units of the open descendant forms; references
  // from other open forms ("Old.Table1") follow as they are written.
  // Raises (and changes nothing) for a bad name, one a component of the
  // form or another open form has, or a new class name the unit declares
  // already. Returns "File: line N" for each unit line changed.
  std::vector<std::string> RenameRoot(TDesignModule& module, const std::string& newName);
  // Deletes components with the components they hold (a dataset's fields)
  // and their inherited copies in the open descendant forms; references to
  // them are cleared through free notification. Raises (and
  // deletes nothing) when one of them may not be deleted. Returns the names
  // deleted, in order.
  std::vector<std::string> DeleteComponents(TDesignModule& module, const std::vector<TComponent*>& components);

  // The module's own components by name with their classes, taken before an
  // editor that makes and frees components itself (the fields editor) runs.
  struct TCensusEntry {
    std::string Name;
    const TClassInfo* Class;
  };
  std::vector<TCensusEntry> Census(TDesignModule& module) const;
  // Brings the unit in line with what the editor did since census: the
  // components made are declared (with their class's unit in the uses
  // clause), those freed lose their declarations. Returns the names
  // declared and removed: "+Name", "-Name".
  std::vector<std::string> FollowInUnit(TDesignModule& module, const std::vector<TCensusEntry>& census);

  // Notes for the user from the last operations (a unit left alone), taken.
  std::vector<std::string> TakeNotes();

  // The open module whose form is the module's ancestor: the one whose root
  // has the class the unit derives the form's class from (or, without a
  // unit, the one that has every inherited component); none when not open.
  TDesignModule* AncestorOf(TDesignModule& module) const;
  // Builds each descendant's inherited components from its open ancestor's:
  // one whose class in the ancestor changed is replaced by one of the new
  // class, keeping the descendant's own values and the references to it.
  // Open and Save call it. Returns "Child.dfm: Table1 is now a TQuery" lines.
  std::vector<std::string> FollowAncestors();
  // How an inherited component that takes its ancestor's new class gets
  // the descendant's own values: Carry sets them on made, Keeps says which
  // properties the descendant's form file gave old stay in its node (by
  // their names as the file writes them). Without them, every property
  // both classes have alike is copied and the node keeps what it was read
  // with.
  struct TInheritedCarry {
    std::function<void(TComponent& old, TComponent& made)> Carry;
    std::function<bool(const TComponent& made, const std::string& property)> Keeps;
  };
  void SetInheritedCarry(TInheritedCarry carry) { FCarry = std::move(carry); }

  // The connections and datasets opened since the forms were read, which
  // Save closes again: "Database1 is connected for this run only".
  std::vector<std::string> OpenedForThisRun() const;

  // Whether any module's form or unit differs from its file.
  bool IsModified();
  // Closes again the connections and datasets opened since the forms were
  // read (a form keeps the state it was read with), then writes every form
  // and unit whose bytes changed; returns the files written.
  std::vector<std::string> Save();
  // The same for one module: closes what was opened for the run, then
  // writes the module's form and unit when their bytes changed.
  std::vector<std::string> Save(TDesignModule& module);
  // Closes the module without saving it; its components leave the
  // selection. The module's pointer is invalid afterwards.
  void Close(TDesignModule& module);

private:
  // Wraps the modules just opened (those open already are returned as they are).
  std::vector<TDesignModule*> Adopt(const std::vector<TModule*>& modules);
  void MarkInherited(TDesignModule& module);
  // One pass of FollowAncestors over one descendant.
  std::vector<std::string> FollowAncestor(TDesignModule& descendant);
  // The inherited components of that name in the open descendants of
  // ancestor (and theirs), nearest first.
  std::vector<TComponent*> InheritedCopies(TDesignModule& ancestor, const std::string& name) const;
  void RecordClosedComponents(TComponent* root);
  void CloseWhatWasOpened();
  void CheckMayChange(TDesignModule& module, const TComponent& component, const char* what) const;
  // The references the open forms keep as read that name a component of
  // module renamed from oldName (the form itself when isRoot) follow it.
  void RenameKeptReferences(TDesignModule& module, const std::string& oldName, const std::string& newName, bool isRoot);
  // Those that name components of module deleted leave the files.
  void ClearKeptReferences(TDesignModule& module, const std::vector<std::string>& names);
  std::vector<TPersistent*> SelectionAsPersistents() const;
  TInspectorRow Row(TPropertyEditor& editor, const std::string& name) const;
  void Note(const std::string& note);

  const TClassRegistry& FClasses;
  const TDesignRegistry& FDesign;
  TModuleServices FServices;
  // The session's modules are the host's services while it lives, so that
  // package code walking the open forms (the migrator) sees them.
  TModuleServicesGuard FServicesGuard{FServices};
  std::vector<std::unique_ptr<TDesignModule>> FModules;
  std::vector<TComponentRef<TComponent>> FSelection;
  struct TOpenState {
    TComponentRef<TComponent> Component;
    std::string Property;  // "Connected" or "Active"
  };
  std::vector<TOpenState> FClosedAtOpen;
  std::vector<std::string> FNotes;
  TInheritedCarry FCarry;
};
