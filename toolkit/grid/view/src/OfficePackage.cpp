// Office packages over libzip and their XML parts over libxml2.

#include "OfficePackage.h"

#include "rtl/Encoding.h"

#include <libxml/parser.h>
#include <zip.h>

#include <cstring>
#include <limits>
#include <vector>

namespace detail {

namespace {

// No part of a workbook or document an office program writes comes near
// this; a larger one is refused before anything is allocated for it.
constexpr zip_uint64_t MaxPartSize = 256u * 1024u * 1024u;

[[noreturn]] void Fail(const std::string& What) { throw EOfficePackageError(FromUtf8(What)); }

} // namespace

TOfficePackage::TOfficePackage(const std::string& Path, bool Create) {
    int Error = 0;
    FZip = zip_open(Path.c_str(), Create ? ZIP_CREATE | ZIP_TRUNCATE : 0, &Error);
    if (!FZip) {
        zip_error_t Err;
        zip_error_init_with_code(&Err, Error);
        const std::string Text = zip_error_strerror(&Err);
        zip_error_fini(&Err);
        Fail("Cannot open package " + Path + ": " + Text);
    }
}

TOfficePackage::~TOfficePackage() {
    if (FZip) zip_discard(FZip);
}

bool TOfficePackage::Has(const std::string& Name) const { return zip_name_locate(FZip, Name.c_str(), 0) >= 0; }

std::string TOfficePackage::Read(const std::string& Name) const {
    zip_stat_t St;
    zip_stat_init(&St);
    if (zip_stat(FZip, Name.c_str(), 0, &St) != 0 || !(St.valid & ZIP_STAT_SIZE)) Fail("Missing part " + Name);
    if (St.size > MaxPartSize) Fail("Part too large: " + Name);
    zip_file_t* File = zip_fopen(FZip, Name.c_str(), 0);
    if (!File) Fail("Cannot read part " + Name);
    std::string Data(size_t(St.size), '\0');
    const zip_int64_t Got = Data.empty() ? 0 : zip_fread(File, Data.data(), St.size);
    zip_fclose(File);
    if (Got < 0 || zip_uint64_t(Got) != St.size) Fail("Cannot read part " + Name);
    return Data;
}

void TOfficePackage::Write(const std::string& Name, std::string Data) {
    FBuffers.push_back(std::move(Data));
    const std::string& Bytes = FBuffers.back();
    zip_source_t* Source = zip_source_buffer(FZip, Bytes.data(), Bytes.size(), 0);
    if (!Source) Fail("Cannot write part " + Name);
    if (zip_file_add(FZip, Name.c_str(), Source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(Source);
        Fail("Cannot write part " + Name);
    }
}

void TOfficePackage::Remove(const std::string& Name) {
    const zip_int64_t Index = zip_name_locate(FZip, Name.c_str(), 0);
    if (Index >= 0) zip_delete(FZip, zip_uint64_t(Index));
}

void TOfficePackage::Commit() {
    if (zip_close(FZip) != 0) {
        const std::string Text = zip_strerror(FZip);
        Fail("Cannot write package: " + Text);
    }
    FZip = nullptr;
    FBuffers.clear();
}

TXmlDoc ParsePart(const std::string& Bytes) {
    if (Bytes.size() > size_t(std::numeric_limits<int>::max())) Fail("Part too large");
    TXmlDoc Doc(xmlReadMemory(Bytes.data(), int(Bytes.size()), nullptr, nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!Doc || !xmlDocGetRootElement(Doc.get())) Fail("Part is not XML");
    return Doc;
}

std::string DumpPart(xmlDoc* Doc) {
    xmlChar* Buffer = nullptr;
    int Size = 0;
    xmlDocDumpMemoryEnc(Doc, &Buffer, &Size, "UTF-8");
    std::string Out(reinterpret_cast<const char*>(Buffer), size_t(Size));
    xmlFree(Buffer);
    return Out;
}

bool IsElement(const xmlNode* Node, const char* LocalName) {
    return Node && Node->type == XML_ELEMENT_NODE && xmlStrEqual(Node->name, X(LocalName));
}

xmlNode* FirstChild(xmlNode* Parent, const char* LocalName) {
    if (!Parent) return nullptr;
    for (xmlNode* N = Parent->children; N; N = N->next)
        if (IsElement(N, LocalName)) return N;
    return nullptr;
}

std::string Attr(const xmlNode* Node, const char* Name, const char* Namespace) {
    xmlChar* Value = Namespace ? xmlGetNsProp(Node, X(Name), X(Namespace)) : xmlGetNoNsProp(Node, X(Name));
    if (!Value) return {};
    std::string Out(reinterpret_cast<const char*>(Value));
    xmlFree(Value);
    return Out;
}

std::string NodeText(const xmlNode* Node) {
    xmlChar* Value = xmlNodeGetContent(Node);
    if (!Value) return {};
    std::string Out(reinterpret_cast<const char*>(Value));
    xmlFree(Value);
    return Out;
}

std::string RelsPartOf(const std::string& PartName) {
    const size_t Slash = PartName.rfind('/');
    if (Slash == std::string::npos) return "_rels/" + PartName + ".rels";
    return PartName.substr(0, Slash + 1) + "_rels/" + PartName.substr(Slash + 1) + ".rels";
}

std::string ResolveTarget(const std::string& PartName, const std::string& Target) {
    std::string Path;
    if (!Target.empty() && Target[0] == '/') {
        Path = Target.substr(1);
    } else {
        const size_t Slash = PartName.rfind('/');
        Path = (Slash == std::string::npos ? std::string() : PartName.substr(0, Slash + 1)) + Target;
    }
    // Fold "." and ".." segments.
    std::vector<std::string> Segments;
    size_t Start = 0;
    while (Start <= Path.size()) {
        size_t End = Path.find('/', Start);
        if (End == std::string::npos) End = Path.size();
        const std::string Seg = Path.substr(Start, End - Start);
        if (Seg == "..") {
            if (!Segments.empty()) Segments.pop_back();
        } else if (!Seg.empty() && Seg != ".") {
            Segments.push_back(Seg);
        }
        Start = End + 1;
    }
    std::string Out;
    for (const auto& Seg : Segments) Out += (Out.empty() ? "" : "/") + Seg;
    return Out;
}

std::string MainPartName(const TOfficePackage& Package) {
    TXmlDoc Rels = ParsePart(Package.Read("_rels/.rels"));
    for (xmlNode* N = xmlDocGetRootElement(Rels.get())->children; N; N = N->next)
        if (IsElement(N, "Relationship") && Attr(N, "Type") == OfficeDocumentRel)
            return ResolveTarget("", Attr(N, "Target"));
    Fail("Package without a main part");
}

} // namespace detail
