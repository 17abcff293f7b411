#include "FieldsCommand.h"

#include "CommandSupport.h"
#include "ConnectionOptions.h"
#include "FormSession.h"

#include "classes/TComponent.h"
#include "db/TDataSet.h"
#include "designhost/CommandLine.h"
#include "designhost/DesignRegistry.h"
#include "designhost/FieldsEditor.h"
#include "designhost/TDataSetEditor.h"
#include "rtl/Exceptions.h"
#include "rtl/JsonWriter.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace {

struct TNewField {
  std::string Name, Type, Kind = "Data";
  int Size = 0;
};

struct TFieldsArgs {
  TConnectionOptions Connection;
  bool AddAll = false;
  std::vector<std::string> Add, Delete;
  std::vector<TNewField> New;
  TLookupDefinition Lookup;
  std::vector<std::string> Words;
};

// NAME:TYPE:KIND[:SIZE]
TNewField ParseNewField(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
    parts.push_back(text.substr(start, colon - start));
  parts.push_back(text.substr(start));
  if (parts.size() < 3 || parts.size() > 4 || parts[0].empty() || parts[1].empty() || parts[2].empty())
    throw EUsageError("--new '" + text + "': give NAME:TYPE:KIND[:SIZE]");
  TNewField field{parts[0], parts[1], parts[2], 0};
  if (parts.size() == 4) {
    auto [ptr, ec] = std::from_chars(parts[3].data(), parts[3].data() + parts[3].size(), field.Size);
    if (ec != std::errc() || ptr != parts[3].data() + parts[3].size() || field.Size < 0)
      throw EUsageError("--new '" + text + "': the size '" + parts[3] + "' is not a number");
  }
  return field;
}

void DeclareFields(TCommandLine& line, TFieldsArgs& a) {
  line.Flag("--add-all", a.AddAll, "adds a persistent field for every field the server lists")
      .Option("--add", "F,G", "adds persistent fields for these fields of the server",
              [&a](const std::string& v) { a.Add = SplitNames(v); })
      .Option("--new", "NAME:TYPE:KIND[:SIZE],...",
              "new fields: TYPE as String, Integer, Float...; KIND Data, Calculated, Lookup or InternalCalc",
              [&a](const std::string& v) {
                a.New.clear();
                for (const std::string& field : SplitNames(v)) a.New.push_back(ParseNewField(field));
              })
      .Option("--lookup-dataset", "DATASET", "a new lookup field's dataset to look up in",
              [&a](const std::string& v) { a.Lookup.LookupDataSet = v; })
      .Option("--key-fields", "F;G", "a new lookup field's key fields, in DATASET",
              [&a](const std::string& v) { a.Lookup.KeyFields = v; })
      .Option("--lookup-key-fields", "F;G", "the fields of the lookup dataset the key fields match",
              [&a](const std::string& v) { a.Lookup.LookupKeyFields = v; })
      .Option("--result-field", "F", "the field of the lookup dataset a new lookup field shows",
              [&a](const std::string& v) { a.Lookup.ResultField = v; })
      .Option("--delete", "F,G", "deletes the persistent fields of these field names",
              [&a](const std::string& v) { a.Delete = SplitNames(v); })
      .Words("FORM DATASET", a.Words);
  DeclareConnectionOptions(line, a.Connection);
}

int RunFields(TDesignToolContext& ctx, TFieldsArgs& a) {
  if (a.Words.size() != 2) throw EUsageError("give a form file and a dataset");
  if (a.AddAll && !a.Add.empty()) throw EUsageError("give --add-all or --add, not both");
  const TLookupDefinition& l = a.Lookup;
  bool lookupGiven = !l.LookupDataSet.empty() || !l.KeyFields.empty() || !l.LookupKeyFields.empty() || !l.ResultField.empty();
  bool lookupNew = std::any_of(a.New.begin(), a.New.end(), [](const TNewField& f) { return f.Kind == "Lookup"; });
  if (lookupGiven && !lookupNew)
    throw EUsageError("--lookup-dataset, --key-fields, --lookup-key-fields and --result-field go with a Lookup field in --new");
  TFormSession forms({a.Words[0]});
  TComponent& component = forms.FindComponent(a.Words[1]);
  auto* dataSet = dynamic_cast<TDataSet*>(&component);
  if (!dataSet) throw Exception(component.Name() + " is a " + component.ClassName() + ", not a dataset");
  auto editor = TDesignRegistry::Instance().GetComponentEditor(&component, &forms.Designer());
  auto* dataSetEditor = dynamic_cast<TDataSetEditor*>(editor.get());
  TDSDesignerClass designerClass =
      dataSetEditor ? dataSetEditor->GetDSDesignerClass() : TDSDesignerClass::Of<TDSDesigner>();
  std::vector<std::string> lines;
  TDesignSession& session = forms.Session();
  std::vector<TDesignSession::TCensusEntry> census = session.Census(forms.Main());
  {
    TConnectionOverride override(a.Connection, forms.Modules());
    TFieldsEditor fields(&forms.Designer(), dataSet, designerClass);
    if (!a.Delete.empty()) {
      fields.DeleteFields(a.Delete);
      for (const std::string& name : a.Delete) lines.push_back("deleted " + name);
    }
    std::vector<std::string> made;
    if (a.AddAll) made = fields.AddAllFields();
    else if (!a.Add.empty()) made = fields.AddFields(a.Add);
    for (const TNewField& field : a.New) made.push_back(fields.NewField(field.Name, field.Type, field.Kind, field.Size, a.Lookup));
    for (const std::string& name : made) {
      TComponent* field = nullptr;
      for (int i = 0; i < dataSet->FieldCount(); ++i)
        if (dataSet->Fields()[i]->Name() == name) field = dataSet->Fields()[i];
      lines.push_back("added " + name + ": " + (field ? field->ClassName() : std::string("?")));
    }
    for (int i = 0; i < dataSet->FieldCount(); ++i)
      lines.push_back("field " + dataSet->Fields()[i]->Name() + " (" + dataSet->Fields()[i]->FieldName() + ")");
  }
  // The fields made and deleted are declared in, and leave, the form class.
  session.FollowInUnit(forms.Main(), census);
  std::vector<std::string> saved = forms.SaveModified();
  std::vector<std::string> notes = session.TakeNotes();
  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginObject().Key("fields").BeginArray();
    for (const std::string& line : lines) json.String(line);
    json.EndArray().Key("notes").BeginArray();
    for (const std::string& note : notes) json.String(note);
    json.EndArray().Key("saved").BeginArray();
    for (const std::string& file : saved) json.String(file);
    json.EndArray().EndObject();
    *ctx.Out << "\n";
    return 0;
  }
  for (const std::string& line : lines) *ctx.Out << line << "\n";
  for (const std::string& note : notes) *ctx.Err << "note: " << note << "\n";
  for (const std::string& file : saved) *ctx.Out << "saved " << file << "\n";
  return 0;
}

} // namespace

TDesignTool FieldsCommand() {
  return DeclaredTool<TFieldsArgs>(
      "fields",
      "The fields editor of DATASET on FORM: adds persistent fields for the fields\n"
      "the server lists (all, or those named), each of the class that matches its\n"
      "type and named after the dataset and the field; makes new data, calculated,\n"
      "lookup or internal-calculated fields (a lookup field with --lookup-dataset,\n"
      "--key-fields, --lookup-key-fields and --result-field, all four); deletes\n"
      "fields. Lists the dataset's persistent fields afterwards. When FORM.pas lies\n"
      "beside the form, the fields made are declared in its form class and the\n"
      "deleted ones leave it. The form and unit are saved when their bytes changed.\n",
      DeclareFields, RunFields);
}
