#include <algorithm>
#include <functional>

#include "res/string_tables.h"

namespace res {
namespace {

// Turkish texts; formats, menu mnemonics, prompt/tooltip splits and the
// blanks that pad status-bar panes follow the English table.
constexpr StringEntry kStrings[] = {
    {121, "Dosyayı uzaklaştır\nUzaklaştır"},
    {122, "Lütfen bir klasör seçin."},
    {123, "Tamamlandı"},
    {127, "Bağlantı hatası. Lütfen USB kablosunu kontrol edin! Yeniden denemek istiyor musunuz?"},
    {128, "Mürekkep Püskürtmeli Çizici\n\nTOLVEX\n\n\nTOLVEXR5DServer.Document\nTOLVEX Belgesi"},
    {129, "Çizim dosyaları(*.plt; *.hpg; *.pla; *.hpgl; *.PRT; *.pmd)|*.plt; *.hpg; *.pla; *.hpgl; *.PRT; *.pmd||"},
    {131, "Uyarı"},
    {132, "Görev Durumu"},
    {133, "Dosya Adı"},
    {134, "Çizim Sayısı"},
    {135, "Boyut"},
    {136, "Ayrıntılar"},
    {137, "Çizilmeyecek"},
    {138, "Çevrimiçi"},
    {139, "Çevrimdışı"},
    {140, "Bekliyor"},
    {141, "Çiziliyor"},
    {142, "Başlangıç %fcm"},
    {143, "Geçersiz konum. Lütfen yeniden deneyin."},
    {144, "Genişlik=%0.4f(M), Uzunluk=%0.4f(M)"},
    {145, "Görev durumunu göster........................."},
    {146, "Lütfen çizimden önce bir dosya seçin."},
    {147, "Çizici çalışıyor. Lütfen bu çizim görevinin bitmesini bekleyin!"},
    {148, "Çizilmekte olan dosyayı taşımayın."},
    {149, "Lütfen çizimden önce bir dosya seçin."},
    {150, "Başlangıç %.2fcm"},
    {151, "Seçtiğiniz dosya şu anda çiziliyor; lütfen çizimi durdurup dosyayı yeniden seçin!"},
    {152, "Program zaten çalışıyor."},
    {154, "Sistem"},
    {155, "Çizim"},
    {156, "Gelişmiş"},
    {157, "Diğer"},
    {160, "Görev çalışıyor. İşi gerçekten yarıda kesmek istiyor musunuz?"},
    {161, "Veri genişliği hatası."},
    {162, "Nozül yapılandırması hatalı."},
    {163, "Durdu  "},
    {164, "Konum:%04d:%04d          "},
    {165, "Baskı"},
    {166, "Başlangıç Noktası:"},
    {167, "mm"},
    {168, "WinSock başlatılamadı."},
    {169, "Ağ"},
    {170, "Tamamlandı!"},
    {171, "Dizin yolu çok uzun: en fazla 99 bayt saklanabilir."},
    {32771, "Seçili dosyayı çiz\nÇiz"},
    {32772, "Çizim görevini iptal et\nGörevi iptal et"},
    {32773, "Dosyayı önizle."},
    {32776, "Seçili dosyayı yukarı taşı\nYukarı taşı"},
    {32777, "Seçili dosyayı aşağı taşı\nAşağı taşı"},
    {32784, "Çizici ayarlarını değiştir\nÖzelleştir"},
    {32785, "Dosyanın çizim sayısını artır\nSayıyı artır"},
    {32786, "Dosyanın çizim sayısını azalt\nSayıyı azalt"},
    {32808, "Dosyayı yakınlaştır\nYakınlaştır"},
    {32814, "Seçili dosyayı &sil"},
    {32816, "Çizilecek dosyanın çıktısını önizle\nÇıktıyı önizle"},
    {32824, "Çizici ayarlarını değiştir\nAyarları değiştir"},
    {32825, "Tümünü göster"},
    {32828, "Belirli bir konumdan çiz"},
    {32829, "Başlangıç konumu"},
    {57344, "Bilgi"},
    {57345, "Hazır"},
    {57600, "Yeni dosya\nYeni"},
    {57601, "Dosya ekle\nDosya ekle"},
    {57664, "Sürüm numarasını göster\nBu yazılım hakkında"},
    {57665, "Çizim görevini iptal et;Görevi kaydet\nÇıkış"},
    {59143, "Bekliyor "},
    {59144, "Konum:0000:0000          "},
    {59145, "Duraklatıldı  "},
    {59146, "000%"},
    {59147, "Çevrimdışı"},
};
static_assert(std::ranges::adjacent_find(kStrings, std::ranges::greater_equal{}, &StringEntry::id) ==
              std::end(kStrings));

}  // namespace

std::span<const StringEntry> TurkishStrings() { return kStrings; }

}  // namespace res
