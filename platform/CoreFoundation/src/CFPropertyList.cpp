// CFPropertyList entry points over the XML reader and writer.
#include "CFInternal.h"

CFPropertyListRef CFPropertyListCreateWithData(CFAllocatorRef, CFDataRef data,
                                               CFOptionFlags options, CFPropertyListFormat* format,
                                               CFErrorRef* error) {
  if (error) *error = nullptr;
  const __CFData* d = cfimpl::As<__CFData>(data);
  std::string message;
  CFPropertyListRef result = nullptr;
  if (!d) {
    message = "no property-list data";
  } else {
    result = cfimpl::ReadPlistXML(reinterpret_cast<const char*>(d->bytes.data()), d->bytes.size(),
                                  options, &message);
  }
  if (!result) {
    if (error) *error = cfimpl::MakeError(kCFPropertyListReadCorruptError, message);
    return nullptr;
  }
  if (format) *format = kCFPropertyListXMLFormat_v1_0;
  return result;
}

CFDataRef CFPropertyListCreateData(CFAllocatorRef, CFPropertyListRef propertyList,
                                   CFPropertyListFormat format, CFOptionFlags, CFErrorRef* error) {
  if (error) *error = nullptr;
  std::string text, message;
  if (format != kCFPropertyListXMLFormat_v1_0) {
    message = "only the XML property-list format can be written";
  } else if (cfimpl::WritePlistXML(propertyList, &text, &message)) {
    return CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(text.data()),
                        static_cast<CFIndex>(text.size()));
  }
  if (error) *error = cfimpl::MakeError(kCFPropertyListWriteStreamError, message);
  return nullptr;
}

Boolean CFPropertyListIsValid(CFPropertyListRef plist, CFPropertyListFormat format) {
  if (format != kCFPropertyListXMLFormat_v1_0 && format != kCFPropertyListBinaryFormat_v1_0)
    return false;
  std::string text, message;
  return cfimpl::WritePlistXML(plist, &text, &message);
}

CFDataRef CFPropertyListCreateXMLData(CFAllocatorRef allocator, CFPropertyListRef propertyList) {
  return CFPropertyListCreateData(allocator, propertyList, kCFPropertyListXMLFormat_v1_0, 0,
                                  nullptr);
}

CFPropertyListRef CFPropertyListCreateFromXMLData(CFAllocatorRef allocator, CFDataRef xmlData,
                                                  CFOptionFlags mutabilityOption,
                                                  CFStringRef* errorString) {
  CFErrorRef error = nullptr;
  CFPropertyListRef result =
      CFPropertyListCreateWithData(allocator, xmlData, mutabilityOption, nullptr, &error);
  if (errorString) *errorString = error ? CFErrorCopyDescription(error) : nullptr;
  if (error) CFRelease(error);
  return result;
}
