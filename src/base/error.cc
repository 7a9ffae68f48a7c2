#include "base/error.h"

#include <new>
#include <stdexcept>

namespace morvel {

std::string StandardDescription(Long number) {
  switch (number) {
    case kErrInvalidProcedureCall: return "Invalid procedure call or argument";
    case kErrOverflow: return "Overflow";
    case kErrOutOfMemory: return "Out of memory";
    case kErrSubscriptOutOfRange: return "Subscript out of range";
    case kErrDivisionByZero: return "Division by zero";
    case kErrTypeMismatch: return "Type mismatch";
    case kErrFileNotFound: return "File not found";
    case kErrPermissionDenied: return "Permission denied";
    case kErrPathFileAccess: return "Path/File access error";
    case kErrObjectNotSet: return "Object variable or With block variable not set";
    case kErrInvalidFileFormat: return "Invalid file format";
    case kErrInvalidPropertyValue: return "Invalid property value";
    case kErrObjectRequired: return "Object required";
    case kErrCannotCreateObject: return "ActiveX component can't create object";
    case kErrNotSupported: return "Object doesn't support this property or method";
    case kErrWrongArgumentCount: return "Wrong number of arguments";
    case kErrIndexOutOfBounds: return "Index out of bounds";
    default: return "Application-defined or object-defined error";
  }
}

void RaiseError(Long number) { throw Error(number, StandardDescription(number)); }

void RaiseError(Long number, std::string description) {
  throw Error(number, std::move(description));
}

std::string Excerpt(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return std::string(text);
  std::size_t cut = limit;
  // Back up over UTF-8 continuation bytes so that no character is split.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
    --cut;
  return std::string(text.substr(0, cut)) + "...";
}

std::string Error::ToString() const {
  std::string text = "Error " + std::to_string(number_) + ": " + description_;
  if (!source_.empty()) text += " (" + source_ + ")";
  return text;
}

Error CurrentAsError(const char* source) {
  try {
    throw;
  } catch (const Error& e) {
    return Error(e.Number(), e.Description(), source);
  } catch (const std::bad_alloc&) {
    return Error(kErrOutOfMemory, StandardDescription(kErrOutOfMemory), source);
  } catch (const std::out_of_range& e) {
    return Error(kErrSubscriptOutOfRange, e.what(), source);
  } catch (const std::exception& e) {
    return Error(kErrInvalidProcedureCall, e.what(), source);
  } catch (...) {
    return Error(kErrInvalidProcedureCall,
                 StandardDescription(kErrInvalidProcedureCall), source);
  }
}

}  // namespace morvel
