#include "support/ExpectRaises.h"
#include "TestBackends.h"

#include "runtime/TQuelmStoredProc.h"

#include <memory>

namespace {

std::string ErrorOf(const std::function<void()>& action) { return TestSupport::ErrorOf<Exception>(action); }

std::string ParamsText(const TParams& params) {
  static const char* const kinds[] = {"unknown", "in", "out", "inout", "result"};
  std::string text;
  for (int i = 0; i < params.Count(); ++i) {
    const TParam* p = params.Items(i);
    if (!text.empty()) text += ", ";
    text += p->Name() + " " + kinds[static_cast<int>(p->ParamType())];
  }
  return text;
}

class StoredProcTest : public ::testing::TestWithParam<TBackend> {
protected:
  void SetUp() override {
    FDatabase = std::make_unique<TQuelmDatabase>(nullptr);
    FProc = std::make_unique<TQuelmStoredProc>(nullptr);
    FProc->SetName("StoredProc1");
  }
  bool Connect() {
    if (GetParam() == TBackend::Server && !HasTestServer()) return false;
    ConnectTestDatabase(*FDatabase, GetParam());
    FProc->SetDatabase(FDatabase.get());
    return true;
  }
  std::unique_ptr<TQuelmDatabase> FDatabase;
  std::unique_ptr<TQuelmStoredProc> FProc;
};

#define CONNECT()                                      \
  do {                                                 \
    if (!Connect()) {                                  \
      if (InCI()) FAIL() << NoServerMessage();         \
      GTEST_SKIP() << NoServerMessage();               \
    }                                                  \
  } while (0)

TEST(StoredProcWithoutServer, NeedsDatabaseAndName) {
  TQuelmStoredProc proc(nullptr);
  proc.SetName("StoredProc1");
  EXPECT_EQ(ErrorOf([&] { proc.ExecProc(); }), "StoredProc1: Missing ProcedureName property");
  proc.SetProcedureName("add_numbers");
  EXPECT_EQ(ErrorOf([&] { proc.RefreshParams(); }), "StoredProc1: Database not assigned");
  EXPECT_EQ(proc.RoutinesType(), TQuelmInternalSelectRoutinesType::srtProcedures);
  proc.SetRoutineKind(7);
  EXPECT_EQ(proc.RoutinesType(), TQuelmInternalSelectRoutinesType::srtFunctions);
}

TEST_P(StoredProcTest, ParametersFromTheServer) {
  CONNECT();
  auto check = [&](const std::string& name, int kind, const std::string& expected) {
    FProc->SetProcedureName(name);
    FProc->SetRoutineKind(kind);
    FProc->RefreshParams();
    EXPECT_EQ(ParamsText(*FProc->Params()), expected) << name;
  };
  check("add_numbers", 0, "a in, b in, total out");
  check("list_customers", 0, "p_region in");
  check("prüfe`n", 0, "");
  check("greet", 1, "Result result, who in");
  check("twice", 7, "Result result, n in");
  FProc->SetRoutineKind(0);
  FProc->SetProcedureName("greet");
  EXPECT_EQ(ErrorOf([&] { FProc->RefreshParams(); }), "StoredProc1: Stored procedure 'greet' not found");
}

TEST_P(StoredProcTest, RefreshKeepsParametersUnlessMarked) {
  CONNECT();
  FProc->SetProcedureName("add_numbers");
  FProc->RefreshParams();
  FProc->ParamByName("a")->SetAsString("2");
  FProc->Params()->Delete(2);
  ASSERT_EQ(FProc->GetParamsCount(), 2);
  FProc->RefreshParams();
  EXPECT_EQ(FProc->GetParamsCount(), 2);
  FProc->SetNeedRefreshParams();
  FProc->RefreshParams();
  EXPECT_EQ(ParamsText(*FProc->Params()), "a in, b in, total out");
  EXPECT_EQ(FProc->ParamByName("a")->AsString(), "2");
}

TEST_P(StoredProcTest, RunsProceduresAndFunctions) {
  CONNECT();
  FProc->SetProcedureName("add_numbers");
  FProc->RefreshParams();
  FProc->ParamByName("a")->SetAsString("2");
  FProc->ParamByName("b")->SetAsString("40");
  FProc->ExecProc();
  EXPECT_EQ(FProc->ParamByName("total")->AsString(), "42");

  FProc->SetProcedureName("list_customers");
  FProc->RefreshParams();
  FProc->ParamByName("p_region")->SetAsString("EU");
  FProc->Open();
  std::vector<std::string> names;
  for (FProc->First(); !FProc->Eof(); FProc->Next()) names.push_back(*FProc->FieldValue(*FProc->FieldByName("name")));
  EXPECT_EQ(names, (std::vector<std::string>{"Anton", "Berta"}));
  FProc->Close();

  FProc->SetProcedureName("greet");
  FProc->SetRoutineKind(1);
  FProc->RefreshParams();
  FProc->ParamByName("who")->SetAsString("O'Brien");
  FProc->ExecProc();
  EXPECT_EQ(FProc->ParamByName("Result")->AsString(), "Hello, O'Brien");
  FProc->FieldDefs().Update();
  ASSERT_EQ(FProc->FieldDefs().Count(), 1);
  EXPECT_EQ(FProc->FieldDefs().Items(0)->Name(), "Result");
}

INSTANTIATE_TEST_SUITE_P(Backends, StoredProcTest, ::testing::ValuesIn(BackendsToTest()),
                         BackendName);

} // namespace
