// PC/SC reader access: the reader listing, the presence test and its release.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>

// The token watch loop's connection; 0 when none.
extern std::atomic<intptr_t> g_hContext;
extern std::atomic<intptr_t> g_hCard;
extern std::atomic<uint32_t> g_dwActiveProtocol;

// Appends every reader name followed by "[E]" to text. 0 on success, -1 when listing fails.
int ListReaders(QString& text);
// Connects in shared mode (T=0 or T=1). -1 when no connection could be made, else the card handle.
intptr_t ConnectReader(QString name);
// Drops the connection and the context; both handles become 0. Results ignored.
void ReleaseReader();

// The seam through which tests replace the PC/SC operations that the loops call with scripted
// ones. The loops call Readers(); by default it forwards to the functions above.
class ReaderAccess {
  public:
    virtual ~ReaderAccess() = default;
    virtual int List(QString& text) = 0;
    virtual intptr_t Connect(const QString& name) = 0;
    virtual void Release() = 0;
};
ReaderAccess& Readers();
// Replaces the operations (nullptr restores the real PC/SC ones). Not for use while loops run.
void SetReaderAccess(ReaderAccess* access);
