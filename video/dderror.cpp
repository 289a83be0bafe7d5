#include "video/dderror.h"

#include "platform/platform.h"

struct dderrorentry {
    hresult code;
    const char* name;
};

// Every error the display can answer with, by the name its interface gives it.
static const dderrorentry dderrors[] = {
    {makeddhresult(5), "DDERR_ALREADYINITIALIZED"},
    {makeddhresult(574), "DDERR_BLTFASTCANTCLIP"},
    {makeddhresult(10), "DDERR_CANNOTATTACHSURFACE"},
    {makeddhresult(20), "DDERR_CANNOTDETACHSURFACE"},
    {makeddhresult(585), "DDERR_CANTCREATEDC"},
    {makeddhresult(583), "DDERR_CANTDUPLICATE"},
    {makeddhresult(435), "DDERR_CANTLOCKSURFACE"},
    {makeddhresult(640), "DDERR_CANTPAGELOCK"},
    {makeddhresult(660), "DDERR_CANTPAGEUNLOCK"},
    {makeddhresult(567), "DDERR_CLIPPERISUSINGHWND"},
    {makeddhresult(400), "DDERR_COLORKEYNOTSET"},
    {makeddhresult(40), "DDERR_CURRENTLYNOTAVAIL"},
    {makeddhresult(620), "DDERR_DCALREADYCREATED"},
    {makeddhresult(562), "DDERR_DIRECTDRAWALREADYCREATED"},
    {makeddhresult(55), "DDERR_EXCEPTION"},
    {makeddhresult(581), "DDERR_EXCLUSIVEMODEALREADYSET"},
    {E_FAIL_, "DDERR_GENERIC"},
    {makeddhresult(90), "DDERR_HEIGHTALIGN"},
    {makeddhresult(571), "DDERR_HWNDALREADYSET"},
    {makeddhresult(570), "DDERR_HWNDSUBCLASSED"},
    {makeddhresult(588), "DDERR_IMPLICITLYCREATED"},
    {makeddhresult(95), "DDERR_INCOMPATIBLEPRIMARY"},
    {makeddhresult(100), "DDERR_INVALIDCAPS"},
    {makeddhresult(110), "DDERR_INVALIDCLIPLIST"},
    {makeddhresult(561), "DDERR_INVALIDDIRECTDRAWGUID"},
    {makeddhresult(120), "DDERR_INVALIDMODE"},
    {makeddhresult(130), "DDERR_INVALIDOBJECT"},
    {E_INVALIDARG_, "DDERR_INVALIDPARAMS"},
    {makeddhresult(145), "DDERR_INVALIDPIXELFORMAT"},
    {makeddhresult(579), "DDERR_INVALIDPOSITION"},
    {makeddhresult(150), "DDERR_INVALIDRECT"},
    {makeddhresult(592), "DDERR_INVALIDSURFACETYPE"},
    {makeddhresult(160), "DDERR_LOCKEDSURFACES"},
    {makeddhresult(170), "DDERR_NO3D"},
    {makeddhresult(180), "DDERR_NOALPHAHW"},
    {makeddhresult(575), "DDERR_NOBLTHW"},
    {makeddhresult(205), "DDERR_NOCLIPLIST"},
    {makeddhresult(568), "DDERR_NOCLIPPERATTACHED"},
    {makeddhresult(210), "DDERR_NOCOLORCONVHW"},
    {makeddhresult(215), "DDERR_NOCOLORKEY"},
    {makeddhresult(220), "DDERR_NOCOLORKEYHW"},
    {makeddhresult(212), "DDERR_NOCOOPERATIVELEVELSET"},
    {makeddhresult(586), "DDERR_NODC"},
    {makeddhresult(576), "DDERR_NODDROPSHW"},
    {makeddhresult(563), "DDERR_NODIRECTDRAWHW"},
    {makeddhresult(222), "DDERR_NODIRECTDRAWSUPPORT"},
    {makeddhresult(565), "DDERR_NOEMULATION"},
    {makeddhresult(225), "DDERR_NOEXCLUSIVEMODE"},
    {makeddhresult(230), "DDERR_NOFLIPHW"},
    {makeddhresult(240), "DDERR_NOGDI"},
    {makeddhresult(569), "DDERR_NOHWND"},
    {makeddhresult(591), "DDERR_NOMIPMAPHW"},
    {makeddhresult(250), "DDERR_NOMIRRORHW"},
    {makeddhresult(578), "DDERR_NOOVERLAYDEST"},
    {makeddhresult(260), "DDERR_NOOVERLAYHW"},
    {makeddhresult(572), "DDERR_NOPALETTEATTACHED"},
    {makeddhresult(573), "DDERR_NOPALETTEHW"},
    {makeddhresult(280), "DDERR_NORASTEROPHW"},
    {makeddhresult(290), "DDERR_NOROTATIONHW"},
    {makeddhresult(310), "DDERR_NOSTRETCHHW"},
    {makeddhresult(316), "DDERR_NOT4BITCOLOR"},
    {makeddhresult(317), "DDERR_NOT4BITCOLORINDEX"},
    {makeddhresult(320), "DDERR_NOT8BITCOLOR"},
    {makeddhresult(580), "DDERR_NOTAOVERLAYSURFACE"},
    {makeddhresult(330), "DDERR_NOTEXTUREHW"},
    {makeddhresult(582), "DDERR_NOTFLIPPABLE"},
    {makeddhresult(255), "DDERR_NOTFOUND"},
    {CO_E_NOTINITIALIZED_, "DDERR_NOTINITIALIZED"},
    {makeddhresult(584), "DDERR_NOTLOCKED"},
    {makeddhresult(680), "DDERR_NOTPAGELOCKED"},
    {makeddhresult(589), "DDERR_NOTPALETTIZED"},
    {makeddhresult(335), "DDERR_NOVSYNCHW"},
    {makeddhresult(340), "DDERR_NOZBUFFERHW"},
    {makeddhresult(350), "DDERR_NOZOVERLAYHW"},
    {makeddhresult(360), "DDERR_OUTOFCAPS"},
    {E_OUTOFMEMORY_, "DDERR_OUTOFMEMORY"},
    {makeddhresult(380), "DDERR_OUTOFVIDEOMEMORY"},
    {makeddhresult(382), "DDERR_OVERLAYCANTCLIP"},
    {makeddhresult(384), "DDERR_OVERLAYCOLORKEYONLYONEACTIVE"},
    {makeddhresult(577), "DDERR_OVERLAYNOTVISIBLE"},
    {makeddhresult(387), "DDERR_PALETTEBUSY"},
    {makeddhresult(564), "DDERR_PRIMARYSURFACEALREADYEXISTS"},
    {makeddhresult(566), "DDERR_REGIONTOOSMALL"},
    {makeddhresult(410), "DDERR_SURFACEALREADYATTACHED"},
    {makeddhresult(420), "DDERR_SURFACEALREADYDEPENDENT"},
    {makeddhresult(430), "DDERR_SURFACEBUSY"},
    {makeddhresult(440), "DDERR_SURFACEISOBSCURED"},
    {makeddhresult(450), "DDERR_SURFACELOST"},
    {makeddhresult(460), "DDERR_SURFACENOTATTACHED"},
    {makeddhresult(470), "DDERR_TOOBIGHEIGHT"},
    {makeddhresult(480), "DDERR_TOOBIGSIZE"},
    {makeddhresult(490), "DDERR_TOOBIGWIDTH"},
    {E_NOTIMPL_, "DDERR_UNSUPPORTED"},
    {makeddhresult(510), "DDERR_UNSUPPORTEDFORMAT"},
    {makeddhresult(520), "DDERR_UNSUPPORTEDMASK"},
    {makeddhresult(590), "DDERR_UNSUPPORTEDMODE"},
    {makeddhresult(537), "DDERR_VERTICALBLANKINPROGRESS"},
    {makeddhresult(540), "DDERR_WASSTILLDRAWING"},
    {makeddhresult(587), "DDERR_WRONGMODE"},
    {makeddhresult(560), "DDERR_XALIGN"},
};

const char* dderrorname(hresult code) {
    for (const dderrorentry& e : dderrors)
        if (e.code == code) return e.name;
    return "Unknown Error";
}

void showdderror(const char* caption, hresult code) { errorbox(caption, dderrorname(code)); }

void errorbox(const char* caption, const char* text) { plat_messagebox(text, caption); }

int dderrorcount() { return (int)(sizeof dderrors / sizeof dderrors[0]); }
