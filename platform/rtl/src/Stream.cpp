#include "rtl/Stream.h"

#include "FileIO.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// ---------------------------------------------------------------- TStream

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError(u"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
    if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError(u"Stream write error");
}

Int64 TStream::Size() {
    const Int64 Current = Seek(0, soCurrent);
    const Int64 End = Seek(0, soEnd);
    Seek(Current, soBeginning);
    return End;
}

Int64 TStream::CopyFrom(TStream& Source, Int64 Count) {
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    constexpr Int64 kChunk = 1 << 20;
    std::vector<Byte> Buffer(static_cast<size_t>(std::min(std::max<Int64>(Count, 0), kChunk)));
    for (Int64 Left = Count; Left > 0;) {
        const Int64 Part = std::min(Left, kChunk);
        Source.ReadBuffer(Buffer.data(), Part);
        WriteBuffer(Buffer.data(), Part);
        Left -= Part;
    }
    return Count;
}

// ---------------------------------------------------------- TMemoryStream

Int64 TMemoryStream::Read(void* Buffer, Int64 Count) {
    const Int64 Available = Size() - FPosition;
    if (FPosition < 0 || Count <= 0 || Available <= 0) return 0;
    const Int64 Done = std::min(Count, Available);
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(Done));
    FPosition += Done;
    return Done;
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
    if (FPosition < 0 || Count <= 0) return 0;
    const Int64 End = FPosition + Count;
    if (End > Size()) FData.resize(static_cast<size_t>(End));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = End;
    return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    switch (Origin) {
    case soBeginning:
        FPosition = Offset;
        break;
    case soCurrent:
        FPosition += Offset;
        break;
    case soEnd:
        FPosition = Size() + Offset;
        break;
    }
    return FPosition;
}

void TMemoryStream::SetSize(Int64 NewSize) {
    FData.resize(static_cast<size_t>(std::max<Int64>(NewSize, 0)));
    if (FPosition > Size()) FPosition = Size();
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
    Stream.SetPosition(0);
    const Int64 Count = Stream.Size();
    TBytes Data(static_cast<size_t>(Count));
    Stream.ReadBuffer(Data.data(), Count);
    FData = std::move(Data);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
    TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(File);
}

void TMemoryStream::SaveToStream(TStream& Stream) {
    Stream.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::SaveToFile(const String& FileName) {
    TFileStream File(FileName, fmCreate);
    SaveToStream(File);
}

// ---------------------------------------------------------- TStringStream

TStringStream::TStringStream(const String& AString, const TEncoding& AEncoding) : FEncoding(&AEncoding) {
    const std::string Bytes = AEncoding.GetBytes(AString);
    FData.assign(Bytes.begin(), Bytes.end());
}

String TStringStream::DataString() const {
    return FEncoding->GetString(std::string_view(reinterpret_cast<const char*>(FData.data()), FData.size()));
}

String TStringStream::ReadString(Int64 Count) {
    std::string Bytes(
        static_cast<size_t>(std::clamp<Int64>(Count, 0, std::max<Int64>(Size() - FPosition, 0))), '\0');
    Bytes.resize(static_cast<size_t>(Read(Bytes.data(), static_cast<Int64>(Bytes.size()))));
    return FEncoding->GetString(Bytes);
}

void TStringStream::WriteString(const String& AString) {
    const std::string Bytes = FEncoding->GetBytes(AString);
    WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
}

// ------------------------------------------------------------ TFileStream

TFileStream::TFileStream(const String& FileName, Word Mode) : FFileName(FileName) {
    const std::string Path = Utf8(FileName);
    if ((Mode & fmCreate) == fmCreate) {
        FHandle = ::open(Path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0) throw EFCreateError(detail::CreateErrorText(FileName, errno));
        return;
    }
    int Access = O_RDONLY;
    if ((Mode & 3) == fmOpenWrite) Access = O_WRONLY;
    if ((Mode & 3) == fmOpenReadWrite) Access = O_RDWR;
    FHandle = ::open(Path.c_str(), Access | O_CLOEXEC);
    int Error = errno;
    // A folder opens for reading on Linux but is no file to stream.
    struct stat Info {};
    if (FHandle >= 0 && ::fstat(FHandle, &Info) == 0 && S_ISDIR(Info.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        Error = EISDIR;
    }
    if (FHandle < 0) throw EFOpenError(detail::OpenErrorText(FileName, Error));
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

Int64 TFileStream::Read(void* Buffer, Int64 Count) {
    Int64 Done = 0;
    auto* Out = static_cast<Byte*>(Buffer);
    while (Done < Count) {
        const ssize_t Part = ::read(FHandle, Out + Done, static_cast<size_t>(Count - Done));
        if (Part < 0 && errno == EINTR) continue;
        if (Part <= 0) break;
        Done += Part;
    }
    return Done;
}

Int64 TFileStream::Write(const void* Buffer, Int64 Count) {
    Int64 Done = 0;
    const auto* In = static_cast<const Byte*>(Buffer);
    while (Done < Count) {
        const ssize_t Part = ::write(FHandle, In + Done, static_cast<size_t>(Count - Done));
        if (Part < 0 && errno == EINTR) continue;
        if (Part <= 0) break;
        Done += Part;
    }
    return Done;
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    const int Whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    return ::lseek(FHandle, Offset, Whence);
}

void TFileStream::SetSize(Int64 NewSize) {
    const Int64 Current = Position();
    if (::ftruncate(FHandle, NewSize) != 0) throw EStreamError(detail::SystemErrorText(errno));
    if (Current > NewSize) Seek(NewSize, soBeginning);
}
