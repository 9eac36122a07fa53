// The DDE server inside a test program: registration and connections by service and topic, the
// execute transactions through the callback (what reaches the file opening, what is refused and
// what the debugger output says), and the withdrawal that always ends the instance.
#include <gtest/gtest.h>
#include <windows.h>
#include <ddeml.h>

#include <string>
#include <vector>

#include "app/win32/DdeServer.h"
#include "tests/support/guidriver/DebugOutputCapture.h"

using guidriver::TDebugOutputCapture;

namespace {

std::vector<std::string> gOpened;
void RecordOpen(const char* path) { gOpened.push_back(path); }

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// Whether a client instance of this thread can open a conversation on the service and topic.
bool CanConnect(const char* service, const char* topic) {
  DWORD instance = 0;
  if (DdeInitializeA(&instance, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return false;
  HSZ s = DdeCreateStringHandleA(instance, service, CP_WINANSI);
  HSZ t = DdeCreateStringHandleA(instance, topic, CP_WINANSI);
  HCONV conversation = DdeConnect(instance, s, t, nullptr);
  if (conversation) DdeDisconnect(conversation);
  DdeFreeStringHandle(instance, s);
  DdeFreeStringHandle(instance, t);
  DdeUninitialize(instance);
  return conversation != nullptr;
}

class DdeServerTest : public ::testing::Test {
protected:
  void SetUp() override {
    gOpened.clear();
    SetDdeOpenHandler(RecordOpen);
    ASSERT_TRUE(RegisterDdeServer());
    ASSERT_NE(GetDdeInstance(), 0u);
  }
  void TearDown() override {
    UnregisterDdeServer();
    SetDdeOpenHandler(nullptr);
  }
  // The callback's answer to an execute transaction carrying these bytes.
  static ULONG_PTR Execute(const void* bytes, DWORD size) {
    HDDEDATA data = DdeCreateDataHandle(GetDdeInstance(), static_cast<LPBYTE>(const_cast<void*>(bytes)), size, 0,
                                        nullptr, CF_TEXT, 0);
    const ULONG_PTR r = reinterpret_cast<ULONG_PTR>(
        DdeServerCallback(XTYP_EXECUTE, 0, nullptr, GetDdeTopicHandle(), GetDdeServiceHandle(), data, 0, 0));
    DdeFreeDataHandle(data);
    return r;
  }
  static ULONG_PTR Execute(const std::string& text) { return Execute(text.c_str(), static_cast<DWORD>(text.size() + 1)); }
};

TEST_F(DdeServerTest, AnswersOnlyItsServiceAndTopic) {
  EXPECT_TRUE(CanConnect("QVK32", "System"));
  EXPECT_TRUE(CanConnect("qvk32", "SYSTEM"));
  EXPECT_FALSE(CanConnect("QVK32", "Other"));
  EXPECT_FALSE(CanConnect("QVK", "System"));
}

TEST_F(DdeServerTest, ValidCommandsAreAcknowledgedAndOpenMadeFullPaths) {
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  std::string folder = current;
  if (folder.back() != '\\') folder += '\\';

  EXPECT_EQ(Execute("[Open(\"C:\\Songs\\My Song.qvk\")]"), static_cast<ULONG_PTR>(DDE_FACK));
  EXPECT_EQ(Execute(" [open(relative.qvk)]\r\n"), static_cast<ULONG_PTR>(DDE_FACK));
  EXPECT_EQ(Execute("[Null()]"), static_cast<ULONG_PTR>(DDE_FACK));
  EXPECT_EQ(gOpened, (std::vector<std::string>{"C:\\Songs\\My Song.qvk", folder + "relative.qvk"}));
}

TEST_F(DdeServerTest, InvalidCommandsAreRefusedAndNamedInTheDebuggerOutput) {
  TDebugOutputCapture capture;
  ASSERT_TRUE(capture.Started());
  const std::string longCommand = "[Null()]" + std::string(451, ' ') + "[Open(C:\\x.qvk)]";
  const std::vector<std::string> refused = {"Open(C:\\a.qvk)", "[Close(C:\\a.qvk)]", "[Open(C:\\a.qvk]", "[Open()]",
                                            longCommand};
  for (const std::string& command : refused) EXPECT_EQ(Execute(command), 0u) << command.substr(0, 30);
  // Without a terminating zero, 460 bytes are one too many as well.
  const std::string exact(460, ' ');
  EXPECT_EQ(Execute(exact.data(), 460), 0u);
  EXPECT_TRUE(gOpened.empty());
  const DWORD self = GetCurrentProcessId();
  EXPECT_TRUE(capture.WaitForText("Invalid Execute Command", self, 5000));
  Sleep(200);
  const auto texts = capture.Texts(self);
  EXPECT_EQ(texts, std::vector<std::string>(refused.size() + 1, "Invalid Execute Command"));
}

TEST_F(DdeServerTest, WithdrawalEndsTheInstanceEvenWhenAHandleWillNotFree) {
  TDebugOutputCapture capture;
  ASSERT_TRUE(capture.Started());
  // The topic handle is already gone, so the server's own free of it fails.
  ASSERT_TRUE(DdeFreeStringHandle(GetDdeInstance(), GetDdeTopicHandle()));
  EXPECT_FALSE(UnregisterDdeServer());
  EXPECT_EQ(GetDdeInstance(), 0u);
  EXPECT_EQ(GetDdeTopicHandle(), nullptr);
  EXPECT_FALSE(CanConnect("QVK32", "System"));
  EXPECT_TRUE(capture.WaitForText("Unable to free Dde item string handle", GetCurrentProcessId(), 5000));
  // And it can come up again afterwards.
  EXPECT_TRUE(RegisterDdeServer());
  EXPECT_TRUE(CanConnect("QVK32", "System"));
  EXPECT_TRUE(UnregisterDdeServer());
  EXPECT_FALSE(CanConnect("QVK32", "System"));
}

TEST_F(DdeServerTest, AnErrorIsNamedInTheDebuggerOutputAndOtherTransactionsAreNotAnswered) {
  TDebugOutputCapture capture;
  ASSERT_TRUE(capture.Started());
  EXPECT_EQ(DdeServerCallback(XTYP_ERROR, 0, nullptr, nullptr, nullptr, nullptr, DMLERR_LOW_MEMORY, 0), nullptr);
  for (UINT type : {XTYP_REQUEST, XTYP_POKE, XTYP_ADVSTART, XTYP_WILDCONNECT}) {
    EXPECT_EQ(DdeServerCallback(type, CF_TEXT, nullptr, GetDdeTopicHandle(), GetDdeServiceHandle(), nullptr, 0, 0),
              nullptr)
        << type;
  }
  EXPECT_TRUE(capture.WaitForText("DDEML Error Encountered in CallBack", GetCurrentProcessId(), 5000));
  Sleep(200);
  EXPECT_EQ(capture.Texts(GetCurrentProcessId()).size(), 1u);
  EXPECT_TRUE(gOpened.empty());
}

}  // namespace
