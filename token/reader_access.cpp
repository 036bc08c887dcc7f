#include "token/reader_access.h"

std::atomic<intptr_t> g_hContext{0};
std::atomic<intptr_t> g_hCard{0};
std::atomic<uint32_t> g_dwActiveProtocol{0};

int ListReaders(QString&) { return -1; }
intptr_t ConnectReader(QString) { return -1; }
void ReleaseReader() {}

namespace {
class RealReaderAccess : public ReaderAccess {
public:
    int List(QString& text) override { return ListReaders(text); }
    intptr_t Connect(const QString& name) override { return ConnectReader(name); }
    void Release() override { ReleaseReader(); }
};
RealReaderAccess g_realAccess;
ReaderAccess* g_access = &g_realAccess;
}  // namespace

ReaderAccess& Readers() { return *g_access; }
void SetReaderAccess(ReaderAccess* access) { g_access = access ? access : &g_realAccess; }
