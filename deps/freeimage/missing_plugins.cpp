// Stand-ins for the plugins this build leaves out (OpenEXR, camera RAW via
// LibRaw, JPEG XR). Each one only names its format, so the format is listed by
// the registry but can be neither read nor written, and every plugin after it
// keeps its FREE_IMAGE_FORMAT number.
#include "FreeImage.h"
#include "Utilities.h"
#include "Plugin.h"

namespace {

const char* DLL_CALLCONV ExrFormat() { return "EXR"; }
const char* DLL_CALLCONV ExrDescription() { return "ILM OpenEXR"; }
const char* DLL_CALLCONV ExrExtensions() { return "exr"; }
const char* DLL_CALLCONV ExrMime() { return "image/x-exr"; }

const char* DLL_CALLCONV RawFormat() { return "RAW"; }
const char* DLL_CALLCONV RawDescription() { return "RAW camera image"; }
const char* DLL_CALLCONV RawExtensions() {
  return "3fr,arw,bay,bmq,cap,cine,cr2,crw,cs1,dc2,dcr,drf,dsc,dng,erf,fff,ia,iiq,k25,kc2,kdc,mdc,mef,"
         "mos,mrw,nef,nrw,orf,pef,ptx,pxn,qtk,raf,raw,rdc,rw2,rwl,rwz,sr2,srf,srw,sti,x3f";
}
const char* DLL_CALLCONV RawMime() { return "image/x-dcraw"; }

const char* DLL_CALLCONV JxrFormat() { return "JPEG-XR"; }
const char* DLL_CALLCONV JxrDescription() { return "JPEG XR image format"; }
const char* DLL_CALLCONV JxrExtensions() { return "jxr,wdp,hdp"; }
const char* DLL_CALLCONV JxrMime() { return "image/vnd.ms-photo"; }

}  // namespace

void DLL_CALLCONV InitEXR(Plugin* plugin, int) {
  plugin->format_proc = ExrFormat;
  plugin->description_proc = ExrDescription;
  plugin->extension_proc = ExrExtensions;
  plugin->mime_proc = ExrMime;
}

void DLL_CALLCONV InitRAW(Plugin* plugin, int) {
  plugin->format_proc = RawFormat;
  plugin->description_proc = RawDescription;
  plugin->extension_proc = RawExtensions;
  plugin->mime_proc = RawMime;
}

void DLL_CALLCONV InitJXR(Plugin* plugin, int) {
  plugin->format_proc = JxrFormat;
  plugin->description_proc = JxrDescription;
  plugin->extension_proc = JxrExtensions;
  plugin->mime_proc = JxrMime;
}
