#pragma once
// The operating-system answers the toolkit's theme code asks for by name: the
// version report (GetVersionExW), the system libraries and their entry points
// (GetModuleHandle, LoadLibrary, GetProcAddress) and a library's file version.
//
// This platform answers as a Windows 10.0 (build 19045) desktop without
// visual styles: ntdll exports RtlGetVersion with the same version, kernel32
// exports GetLocaleInfoEx, the common controls are version 6, and the
// visual-styles library ("UXTHEME.DLL") cannot be loaded, so every themed
// painter takes its classic path. Tests put other answers in place with
// TWindowsPlatformOverride to walk the branches these answers decide.
//
// Library names compare case-insensitively, with or without ".dll".

#include "rtl/Types.h"

#include <map>
#include <memory>

struct TOSVersionInfo {
    Cardinal MajorVersion = 0;
    Cardinal MinorVersion = 0;
    Cardinal BuildNumber = 0;
};

// RtlGetVersion of ntdll: fills the record and answers 0 on success.
using TRtlGetVersion = Integer (*)(TOSVersionInfo* info);

// A loaded system library: its entry points by name.
class TSystemLibrary {
public:
    virtual ~TSystemLibrary() = default;
    // Null when the library exports no entry point of that name.
    virtual void* GetProcAddress(const String& name) const = 0;
};

// A library whose entry points are listed in a table (name compared exactly).
class TSystemLibraryTable : public TSystemLibrary {
public:
    TSystemLibraryTable() = default;
    explicit TSystemLibraryTable(std::map<String, void*> exports) : FExports(std::move(exports)) {}
    void* GetProcAddress(const String& name) const override;

private:
    std::map<String, void*> FExports;
};

class TWindowsPlatform {
public:
    virtual ~TWindowsPlatform() = default;
    // GetVersionExW with the extended record; false when the call fails.
    virtual bool GetVersionEx(TOSVersionInfo& info) const;
    // A library already loaded in the process, or null.
    virtual const TSystemLibrary* GetModuleHandle(const String& name) const;
    // Loads a library for the caller, who frees it by dropping the object;
    // null when it cannot be loaded.
    virtual std::unique_ptr<TSystemLibrary> LoadLibrary(const String& name) const;
    // The major number of a library's file version; all bits set when the
    // version cannot be read.
    virtual Cardinal FileVersionMajor(const String& name) const;
};

// The answers in force: the platform's own, or a test's override.
const TWindowsPlatform& WindowsPlatform();

// Puts other answers in force for its lifetime (GUI thread, tests).
class TWindowsPlatformOverride {
public:
    explicit TWindowsPlatformOverride(const TWindowsPlatform& answers);
    ~TWindowsPlatformOverride();
    TWindowsPlatformOverride(const TWindowsPlatformOverride&) = delete;
    TWindowsPlatformOverride& operator=(const TWindowsPlatformOverride&) = delete;

private:
    const TWindowsPlatform* FPrevious;
};

// A library name without its ".dll" and in upper case, for comparing names.
String SystemLibraryKey(const String& name);
