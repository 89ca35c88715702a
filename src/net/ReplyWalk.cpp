#include "ReplyWalk.h"

#include "XmlEntities.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace tvs {

namespace {

bool isAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// What the walk knows about one element name. libxml2 interns names per parse,
// so the name pointer identifies the name for the whole walk.
struct NameInfo
{
    QString name;
    bool isRow = false;
    bool isField = false;
    bool isNamed = false;
    quint64 rowSerial = 0; // the row in which this name last stored a value
    qsizetype index = 0;   // its position in that row
};

struct Frame
{
    NameInfo *info;
    bool field; // this element's text becomes a field of the open row
    bool named; // this element's text becomes a named value
};

struct WalkState
{
    const ReplyShape *shape = nullptr;
    WalkResult result;

    std::unordered_map<const xmlChar *, NameInfo> names;
    std::vector<Frame> frames;
    std::vector<std::string> texts; // one buffer per depth, reused

    bool rowOpen = false;
    size_t rowDepth = 0;
    quint64 rowSerial = 0;
    QList<std::pair<QString, QString>> rowFields;
    qsizetype lastRowSize = 0;

    QString firstFatal;
    QString firstError;

    NameInfo &info(const xmlChar *localname)
    {
        auto it = names.find(localname);
        if (it != names.end())
            return it->second;
        NameInfo info;
        info.name = QString::fromUtf8(reinterpret_cast<const char *>(localname));
        info.isRow = info.name == shape->rowElement;
        info.isField = shape->rowFields.contains(info.name);
        info.isNamed = shape->namedElements.contains(info.name);
        return names.emplace(localname, std::move(info)).first->second;
    }

    void openRow(size_t depth)
    {
        if (rowOpen)
            closeRow();
        rowOpen = true;
        rowDepth = depth;
        ++rowSerial;
        rowFields.reserve(lastRowSize);
    }

    void closeRow()
    {
        lastRowSize = rowFields.size();
        result.rows.append(Record(std::move(rowFields)));
        rowFields = {};
        rowOpen = false;
    }

    void storeField(NameInfo &info, QString &&value)
    {
        if (info.rowSerial == rowSerial) {
            rowFields[info.index].second = std::move(value); // a repeated field: the later value wins
            return;
        }
        info.rowSerial = rowSerial;
        info.index = rowFields.size();
        rowFields.emplaceBack(info.name, std::move(value));
    }

    void startElement(const xmlChar *localname)
    {
        NameInfo &ni = info(localname);
        const size_t depth = frames.size() + 1;
        if (ni.isRow)
            openRow(depth);
        Frame frame{&ni, false, ni.isNamed};
        if (rowOpen && !ni.isRow) {
            frame.field = shape->rowFields.isEmpty() ? depth == rowDepth + 1 : ni.isField;
        }
        frames.push_back(frame);
        if (texts.size() < depth)
            texts.resize(depth);
        texts[depth - 1].clear();
    }

    void characters(const xmlChar *ch, int len)
    {
        if (frames.empty() || len <= 0)
            return;
        const Frame &top = frames.back();
        if (!top.field && !top.named)
            return;
        texts[frames.size() - 1].append(reinterpret_cast<const char *>(ch), size_t(len));
    }

    void endElement()
    {
        if (frames.empty())
            return;
        const size_t depth = frames.size();
        const Frame frame = frames.back();
        frames.pop_back();
        // An element without character data (`<a />`, `<a></a>`) is present with an
        // empty value: only an element that is not there at all stores no key.
        if (frame.field || frame.named) {
            const std::string &text = texts[depth - 1];
            QString value =
                cleanFieldText(QByteArrayView(text.data(), qsizetype(text.size())), shape->cleaning);
            if (frame.named)
                result.named.insert(frame.info->name, value);
            if (frame.field && rowOpen)
                storeField(*frame.info, std::move(value));
        }
        if (frame.info->isRow && rowOpen && depth == rowDepth)
            closeRow();
    }
};

WalkState *stateOf(void *ctx)
{
    return static_cast<WalkState *>(ctx);
}

void onStartElementNs(void *ctx, const xmlChar *localname, const xmlChar *, const xmlChar *, int,
                      const xmlChar **, int, int, const xmlChar **)
{
    stateOf(ctx)->startElement(localname);
}

void onEndElementNs(void *ctx, const xmlChar *, const xmlChar *, const xmlChar *)
{
    stateOf(ctx)->endElement();
}

void onCharacters(void *ctx, const xmlChar *ch, int len)
{
    stateOf(ctx)->characters(ch, len);
}

void onError(void *ctx, xmlErrorPtr error)
{
    if (!ctx || !error)
        return;
    WalkState *state = stateOf(ctx);
    QString message = QString::fromUtf8(error->message ? error->message : "unknown XML error").trimmed();
    message = QStringLiteral("line %1: %2").arg(error->line).arg(message);
    if (error->level == XML_ERR_FATAL && state->firstFatal.isEmpty())
        state->firstFatal = message;
    else if (state->firstError.isEmpty())
        state->firstError = message;
}

int readUnescaped(void *context, char *buffer, int len)
{
    return int(static_cast<EntityUnescapeStream *>(context)->read(buffer, len));
}

void initLibxml()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

// The UTF-8 decoder reserves a unit per byte: Korean text would keep three
// times the room it needs for as long as the rows live.
QString fitted(QString text)
{
    if (text.capacity() - text.size() > 8)
        text.squeeze();
    return text;
}

} // namespace

QString cleanFieldText(QByteArrayView utf8, Cleaning cleaning)
{
    if (cleaning == Cleaning::Trimming) {
        qsizetype begin = 0;
        qsizetype end = utf8.size();
        while (begin < end && isAsciiSpace(utf8[begin]))
            ++begin;
        while (end > begin && isAsciiSpace(utf8[end - 1]))
            --end;
        // trimmed() also takes the non-ASCII blanks (no-break space and the like).
        return fitted(QString::fromUtf8(utf8.sliced(begin, end - begin)).trimmed());
    }
    // Line feeds go first, then blank pairs from left to right over what is left,
    // so three blanks leave one.
    std::string text;
    text.reserve(size_t(utf8.size()));
    for (const char c : utf8) {
        if (c != '\n')
            text.push_back(c);
    }
    size_t out = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') {
            i += 2;
            continue;
        }
        text[out++] = text[i++];
    }
    return fitted(QString::fromUtf8(text.data(), qsizetype(out)));
}

WalkResult walkReply(const QByteArray &body, const ReplyShape &shape)
{
    WalkState state;
    state.shape = &shape;

    qsizetype badOffset = 0;
    if (!isValidUtf8(body, &badOffset)) {
        state.result.complete = false;
        state.result.invalidUtf8 = true;
        state.result.error = QStringLiteral("reply is not valid UTF-8 (bad byte at offset %1 of %2)")
                                 .arg(badOffset)
                                 .arg(body.size());
        return state.result;
    }
    if (body.isEmpty()) {
        state.result.complete = false;
        state.result.error = QStringLiteral("reply is empty");
        return state.result;
    }

    initLibxml();

    xmlSAXHandler handler;
    std::memset(&handler, 0, sizeof handler);
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = onStartElementNs;
    handler.endElementNs = onEndElementNs;
    handler.characters = onCharacters;
    handler.cdataBlock = onCharacters;
    handler.ignorableWhitespace = onCharacters;
    handler.serror = onError;

    // The parser pulls the unescaped text piece by piece, so no unescaped copy of
    // the whole body is ever held.
    EntityUnescapeStream stream(body);
    xmlParserCtxtPtr ctxt =
        xmlCreateIOParserCtxt(&handler, &state, readUnescaped, nullptr, &stream, XML_CHAR_ENCODING_NONE);
    if (!ctxt) {
        state.result.complete = false;
        state.result.error = QStringLiteral("could not create the XML parser");
        return state.result;
    }
    // The body was checked as UTF-8 above; a declaration claiming otherwise is ignored.
    // No network, no DTD loading, no entity expansion.
    xmlCtxtUseOptions(ctxt, XML_PARSE_NONET | XML_PARSE_IGNORE_ENC);
    xmlParseDocument(ctxt);
    const bool wellFormed = ctxt->wellFormed != 0;
    xmlFreeParserCtxt(ctxt);

    if (!wellFormed) {
        state.result.complete = false;
        state.result.error = state.firstFatal.isEmpty() ? state.firstError : state.firstFatal;
        if (state.result.error.isEmpty())
            state.result.error = QStringLiteral("reply is not well-formed XML");
        // The open row may have been cut anywhere: only finished rows are delivered.
        state.rowFields = {};
        state.rowOpen = false;
    } else if (state.rowOpen) {
        state.closeRow();
    }
    return std::move(state.result);
}

} // namespace tvs
