#pragma once
// The design host's registration table: palette pages and their component
// classes, component editors and property editors, in the order they were
// registered, each remembering the package that registered it so that
// unloading the package drops exactly its registrations.
#include "designhost/DatabaseServices.h"
#include "designhost/DesignTools.h"
#include "designhost/TComponentEditor.h"
#include "designhost/TPropertyEditor.h"

#include <memory>
#include <string>
#include <vector>

class TComponent;
class TPersistent;

struct TPaletteRegistration {
  std::string Page;
  std::vector<const TClassInfo*> Classes;
  int Package = 0;
  std::vector<const TClassInfo*> AddedToClassRegistry;  // those the class registry did not know yet
};

struct TComponentEditorRegistration {
  const TClassInfo* ComponentClass = nullptr;
  TComponentEditorClass Editor;
  int Package = 0;
};

struct TPropertyEditorRegistration {
  const TTypeInfo* PropertyType = nullptr;
  const TClassInfo* ComponentClass = nullptr;  // none: every component
  std::string PropertyName;                    // empty: every property of the type
  TPropertyEditorClass Editor;
  int Package = 0;
};

struct TDesignToolRegistration {
  TDesignTool Tool;
  int Package = 0;
};

struct TDatabaseServicesRegistration {
  const TClassInfo* DatabaseClass = nullptr;
  std::shared_ptr<IDatabaseServices> Services;
  int Package = 0;
};

class TDesignRegistry {
public:
  static TDesignRegistry& Instance();

  void RegisterComponents(const std::string& page, const std::vector<const TClassInfo*>& classes);
  void RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editor);
  void RegisterPropertyEditor(const TTypeInfo* propertyType, const TClassInfo* componentClass,
                              const std::string& propertyName, const TPropertyEditorClass& editor);
  void RegisterDesignTool(const TDesignTool& tool);
  void RegisterDatabaseServices(const TClassInfo& databaseClass, std::shared_ptr<IDatabaseServices> services);

  const std::vector<TPaletteRegistration>& Palette() const { return FPalette; }
  const std::vector<TComponentEditorRegistration>& ComponentEditors() const { return FComponentEditors; }
  const std::vector<TPropertyEditorRegistration>& PropertyEditors() const { return FPropertyEditors; }
  const std::vector<TDesignToolRegistration>& DesignTools() const { return FDesignTools; }
  // The palette's pages in first-registration order, each with its classes.
  std::vector<std::pair<std::string, std::vector<const TClassInfo*>>> PalettePages() const;
  const TClassInfo* FindPaletteClass(const std::string& className) const;
  const TDesignTool* FindDesignTool(const std::string& name) const;
  // The services for the class or its nearest registered ancestor; none when none is.
  IDatabaseServices* FindDatabaseServices(const TClassInfo& databaseClass) const;

  // The editor for the component's class or its nearest registered ancestor;
  // the host's default editor when none is registered.
  TComponentEditorClass FindComponentEditor(const TClassInfo& componentClass) const;
  std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* component, IFormDesigner* designer) const;

  // The registered editor for prop on a component of class cls (none when no
  // registration matches): the exact property type, a component class that
  // is cls or an ancestor of it (or none), and the property name (or empty).
  // A registration naming the property beats one that does not, one naming a
  // nearer class beats a farther one, and a later one beats an earlier.
  const TPropertyEditorRegistration* FindPropertyEditor(const TPropInfo& prop, const TClassInfo& cls) const;
  // The editor the inspector uses: the registered one, else the host's
  // default editor for the property's kind.
  TPropertyEditorClass GetPropertyEditorClass(const TPropInfo& prop, const TClassInfo& cls) const;
  // An editor ready to use on the selected components (all must have prop).
  std::unique_ptr<TPropertyEditor> CreatePropertyEditor(IFormDesigner* designer, const std::vector<TPersistent*>& selection,
                                                        const std::string& propertyName) const;

  // Registrations made from now on belong to this package (0: the host itself).
  void SetCurrentPackage(int package) { FCurrentPackage = package; }
  int CurrentPackage() const { return FCurrentPackage; }
  void UnregisterPackage(int package);
  void Clear();

private:
  std::vector<TPaletteRegistration> FPalette;
  std::vector<TComponentEditorRegistration> FComponentEditors;
  std::vector<TPropertyEditorRegistration> FPropertyEditors;
  std::vector<TDesignToolRegistration> FDesignTools;
  std::vector<TDatabaseServicesRegistration> FDatabaseServices;
  int FCurrentPackage = 0;
};

// The host's registration calls, as packages make them from Register.
void RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes);
void RegisterComponentEditor(const TClassInfo& componentClass, const TComponentEditorClass& editor);
void RegisterPropertyEditor(const TTypeInfo* propertyType, const TClassInfo* componentClass,
                            const std::string& propertyName, const TPropertyEditorClass& editor);
