#pragma once

// Calling a registered worksheet function by its type text, as the spreadsheet does: the
// type text says how each argument is passed and what comes back, so any registration is
// callable without code written for it (RawCall.h).
//
// Letters served: "B" a 64-bit float by value, "Q" and "U" a pointer to a value record;
// results "B" and "Q"/"U". The suffixes "!" (volatile), "$" (thread-safe), "&"
// (cluster-safe) and "#" (macro-sheet equivalent) may follow the letters.

#include "standin/Host.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace standin {

// A type text the stand-in cannot serve; the text says why.
class SignatureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Signature {
    enum class Type {
        Number, // "B": a 64-bit float by value
        Record, // "Q", "U": a pointer to a value record
    };
    Type result = Type::Record;
    std::vector<Type> arguments;
    bool isVolatile = false;
    bool threadSafe = false;
    bool clusterSafe = false;
    bool macroEquivalent = false;

    // Reads a type text; throws SignatureError for anything it cannot serve (an unknown
    // letter, an asynchronous function, a letter after a suffix, a suffix twice, more
    // than 255 arguments, an empty text).
    static Signature Parse(std::u16string_view typeText);
};

// The entry that releases a result carrying xlbitDLLFree ("xlAutoFree12"), or null.
using AutoFree = void(XLF_PASCAL*)(xlf::XLOPER12*);

// Calls a procedure with the arguments as the spreadsheet passes them. Arguments past
// the given ones are omitted (missing).
//  - "B": a number as it is; an empty cell or an omitted argument as 0; a truth value as
//    1 or 0; a text that reads as a number as that number; a one-cell array as its cell.
//    An error value is the result, without calling; any other value gives #VALUE!
//    without calling.
//  - "Q": the value record itself: an array as an array record, an empty cell as nil, an
//    omitted argument as missing.
// More arguments than the type text has give #VALUE! without calling.
// The result is read before anything else happens on the thread; a record carrying
// xlbitDLLFree is handed to autoFree once read, one carrying xlbitXLFree back to the host.
// No value: the procedure returned a null pointer.
std::optional<Value> Invoke(void* procedure, const Signature& signature,
                            const std::vector<Value>& arguments, AutoFree autoFree);

// Reads a result record defensively: a record whose shape cannot be right (an array
// without cells, a negative size, a string without text) gives #VALUE!.
Value ReadResult(const xlf::XLOPER12& record);

} // namespace standin
