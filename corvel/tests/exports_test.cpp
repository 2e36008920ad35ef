// The built library as a program that knows only the names sees it: the
// dynamic symbol table holds exactly the published names, and each resolves.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "common/tag_pparam.h"

namespace {

const std::set<std::string> kExports = {
    "LIB_COMMOpen", "LIB_COMMSetDCB", "LIB_COMMClose", "LIB_ParamCheck", "LIB_SetLastError",
    "LIB_WriteComm", "LIB_CommPutc", "LIB_ReadComm", "LIB_CommGetc", "LIB_CommClear",
    "LIB_SetReadTimeOut", "LIB_SetRTS", "LIB_ResetRTS", "LIB_SetRS485", "LIB_SetDIO",
    "LIB_MakeLRC", "LIB_stci_b", "LIB_stci_bN", "LIB_stci_dn", "LIB_stci_hn", "LIB_stci_on",
    "LIB_wcst_b", "LIB_wcst_bN", "LIB_icst_hn", "LIB_icst_dn", "LIB_dbgm",
    "_Z17LIB_CheckNextByteP9tagPPARAM", "_Z14LIB_IsInternalh", "_Z12LIB_IsSerialh",
    "_Z14LIB_IsEtherneth"};

// Instrumented builds add symbols of their own: type information of function
// types (function-call checks), coverage section bounds and std constants the
// instrumentation keeps alive. The shipped build has none of them.
bool instrumentationSymbol(const std::string& name) {
#ifdef CORVEL_INSTRUMENTED
  for (const char* prefix : {"_ZTIF", "_ZTSF", "__start___sancov", "__stop___sancov", "_ZSt19piecewise_construct"}) {
    if (name.rfind(prefix, 0) == 0) return true;
  }
#endif
  (void)name;
  return false;
}

std::set<std::string> definedDynamicSymbols(const std::string& library) {
  std::set<std::string> names;
  FILE* nm = ::popen(("nm -D --defined-only '" + library + "'").c_str(), "r");
  if (!nm) return names;
  char line[512];
  while (std::fgets(line, sizeof line, nm)) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name && !instrumentationSymbol(name)) names.insert(name);
  }
  ::pclose(nm);
  return names;
}

TEST(CorvelExports, TheSymbolTableHoldsExactlyThePublishedNames) {
  EXPECT_EQ(definedDynamicSymbols(CORVEL_LIBRARY), kExports);
}

class CorvelLoaded : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(library, nullptr) << ::dlerror(); }
  void TearDown() override {
    if (library) ::dlclose(library);
  }
  template <typename F>
  F* lookUp(const char* name) {
    return reinterpret_cast<F*>(::dlsym(library, name));
  }
  void* library = ::dlopen(CORVEL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
};

TEST_F(CorvelLoaded, EveryNameResolvesAndAnswers) {
  for (const std::string& name : kExports) EXPECT_NE(::dlsym(library, name.c_str()), nullptr) << name;

  const unsigned char frame[] = {0x01, 0x48, 0x01, 0x17, 0x49};
  EXPECT_EQ(lookUp<int(const unsigned char*, int)>("LIB_MakeLRC")(frame, 5), 0x49);
  char digits[5];
  EXPECT_EQ(lookUp<int(char*, int, int)>("LIB_stci_dn")(digits, 42, 5), 5);
  EXPECT_EQ(std::string(digits, 5), "00042");
  EXPECT_EQ(lookUp<int(unsigned char)>("_Z12LIB_IsSerialh")(4), 1);
  EXPECT_EQ(lookUp<int(unsigned char)>("_Z14LIB_IsEtherneth")(4), 0);
  EXPECT_EQ(lookUp<int(unsigned char)>("_Z14LIB_IsInternalh")(0), 1);

  tagPPARAM record{};
  pparam::setI32(record, pparam::kHandle, -1);
  EXPECT_EQ(lookUp<short(tagPPARAM*)>("LIB_COMMOpen")(&record), -1);
  EXPECT_EQ(pparam::u16(record, pparam::kErrorCode), 1011);
  EXPECT_EQ(lookUp<unsigned char(tagPPARAM*)>("_Z17LIB_CheckNextByteP9tagPPARAM")(&record), 0xFF);
  // Both hooks are the one empty function.
  EXPECT_EQ(::dlsym(library, "LIB_SetDIO"), ::dlsym(library, "LIB_SetRS485"));
}

}  // namespace
