#include "XMLParser.h"

#include "XMLText.h"
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"
#include "xml/XMLDocument.h"

#include <climits>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>
#include <mutex>
#include <vector>

EDOMParseError::EDOMParseError(Integer ErrorCode, const String& Reason, Integer Line, Integer LinePos)
    : EXMLDocError(u"%s (line %d, column %d)", {Reason, Line, LinePos}), FErrorCode(ErrorCode),
      FReason(Reason), FLine(Line), FLinePos(LinePos) {}

namespace detail {
namespace {

struct TParseProblem {
    Integer Code = 0;
    String Reason;
    Integer Line = 0;
    Integer Column = 0;
};

// What one parse has met so far: its first error (a fatal one wins over an
// earlier error the parser recovers from, such as an undeclared namespace
// prefix) and the first external entity it asked for.
struct TParseState {
    xmlParserCtxtPtr Context = nullptr;
    bool HasError = false;
    bool ErrorIsFatal = false;
    TParseProblem Error;
    bool Refused = false;
    TParseProblem RefusedEntity;
};

// The parse running on this thread, for the process-wide entity loader.
thread_local TParseState* CurrentParse = nullptr;

void RecordError(void* Data, xmlErrorPtr Error) {
    auto* State = static_cast<TParseState*>(Data);
    if (!State || !Error || Error->level < XML_ERR_ERROR) return;
    const bool Fatal = Error->level == XML_ERR_FATAL;
    if (State->HasError && (State->ErrorIsFatal || !Fatal)) return;
    State->HasError = true;
    State->ErrorIsFatal = Fatal;
    State->Error = {Error->code, Trim(FromUtf8(Error->message ? Error->message : "")), Error->line,
                    Error->int2};
}

// Refuses every external entity and DTD the parser asks for, remembering the
// first one so that the parse can report it.
xmlParserInputPtr RefuseExternalEntity(const char* URL, const char* ID, xmlParserCtxtPtr) {
    if (TParseState* State = CurrentParse; State && !State->Refused) {
        State->Refused = true;
        const char* Name = URL ? URL : ID ? ID : "";
        State->RefusedEntity = {XML_IO_LOAD_ERROR,
                                u"External entity \"" + FromUtf8(Name) + u"\" is not loaded"};
        if (xmlParserInputPtr Input = State->Context->input) {
            State->RefusedEntity.Line = Input->line;
            State->RefusedEntity.Column = Input->col;
        }
    }
    return nullptr;
}

// Routes this thread's libxml2 errors into a parse state for the duration of
// one parse, then puts back whatever handler was there.
class TParseScope {
public:
    explicit TParseScope(TParseState& State)
        : FPreviousParse(CurrentParse), FPreviousHandler(xmlStructuredError),
          FPreviousContext(xmlStructuredErrorContext) {
        CurrentParse = &State;
        xmlSetStructuredErrorFunc(&State, RecordError);
    }
    ~TParseScope() {
        xmlSetStructuredErrorFunc(FPreviousContext, FPreviousHandler);
        CurrentParse = FPreviousParse;
    }
    TParseScope(const TParseScope&) = delete;
    TParseScope& operator=(const TParseScope&) = delete;

private:
    TParseState* FPreviousParse;
    xmlStructuredErrorFunc FPreviousHandler;
    void* FPreviousContext;
};

struct TParserContextDeleter {
    void operator()(xmlParserCtxt* Context) const { xmlFreeParserCtxt(Context); }
};

bool IsBlank(const xmlChar* Text) {
    for (; Text && *Text; ++Text)
        if (!IS_BLANK_CH(*Text)) return false;
    return true;
}

// Drops the white-space-only text nodes that stand next to other nodes:
// indentation between elements, which callers walking the children would
// otherwise meet as nodes of their own.
void DropFormattingWhitespace(xmlDocPtr Doc) {
    std::vector<xmlNodePtr> Pending;
    if (xmlNodePtr Root = xmlDocGetRootElement(Doc)) Pending.push_back(Root);
    while (!Pending.empty()) {
        xmlNodePtr Parent = Pending.back();
        Pending.pop_back();
        const bool OnlyChild = Parent->children && !Parent->children->next;
        int PreservesSpace = -2; // not asked yet
        for (xmlNodePtr Child = Parent->children; Child;) {
            xmlNodePtr Next = Child->next;
            if (Child->type == XML_ELEMENT_NODE) {
                Pending.push_back(Child);
            } else if (!OnlyChild && Child->type == XML_TEXT_NODE && IsBlank(Child->content)) {
                if (PreservesSpace == -2) PreservesSpace = xmlNodeGetSpacePreserve(Parent);
                if (PreservesSpace != 1) {
                    xmlUnlinkNode(Child);
                    xmlFreeNode(Child);
                }
            }
            Child = Next;
        }
    }
}

[[noreturn]] void Raise(const TParseProblem& Problem) {
    throw EDOMParseError(Problem.Code, Problem.Reason, Problem.Line, Problem.Column);
}

} // namespace

void InitXmlLibrary() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalEntity);
    });
}

TXmlDocPtr ParseXml(std::string_view Bytes, const char* Encoding) {
    InitXmlLibrary();
    if (Bytes.size() > size_t(INT_MAX))
        throw EDOMParseError(XML_ERR_INTERNAL_ERROR, u"The document is larger than 2 GB", 0, 0);
    std::unique_ptr<xmlParserCtxt, TParserContextDeleter> Context(xmlNewParserCtxt());
    if (!Context) throw EOutOfMemory(u"Out of memory");

    TParseState State;
    State.Context = Context.get();
    TXmlDocPtr Doc;
    {
        TParseScope Scope(State);
        // NOENT expands the entities of the internal subset; any external
        // one goes to the refusing loader. NONET closes the network besides.
        // NOBLANKS spares making most of the white space nodes that
        // DropFormattingWhitespace would drop; it decides what stays.
        int Options = XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOCDATA | XML_PARSE_NOBLANKS;
        if (Encoding) Options |= XML_PARSE_IGNORE_ENC;
        Doc.reset(
            xmlCtxtReadMemory(Context.get(), Bytes.data(), int(Bytes.size()), nullptr, Encoding, Options));
    }
    if (State.Refused) Raise(State.RefusedEntity);
    if (!Doc || !Context->wellFormed) {
        if (State.HasError) Raise(State.Error);
        Raise({XML_ERR_DOCUMENT_EMPTY, u"Document is empty", 1, 1});
    }
    DropFormattingWhitespace(Doc.get());
    return Doc;
}

} // namespace detail
