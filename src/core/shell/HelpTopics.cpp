#include "shell/HelpTopics.h"

namespace pinakos {

namespace {

// The sixteen paragraphs on working with catalogs and sheets; the start topic
// repeats them between its own opening and closing paragraphs.
QStringList sheetParagraphs()
{
    return {
        QStringLiteral("La scheda delle opere è un'area di lavoro composta da campi di testo, nei quali si "
                       "inseriscono i dati di ciascun dipinto del catalogo. Per creare un nuovo catalogo basta "
                       "digitarne il nome completo nell'apposita casella e confermare con il pulsante "
                       "sottostante."),
        QStringLiteral("La creazione di un catalogo genera, nella cartella del programma, un file di archivio con "
                       "estensione ART. Ogni archivio può contenere un numero illimitato di schede, ciascuna "
                       "corredata dalla fotografia del dipinto e dai relativi commenti. Si consiglia di dare al "
                       "catalogo un nome completo, ricco di parole chiave: ad esempio il soggetto delle opere che "
                       "raccoglie."),
        QStringLiteral("Dopo aver digitato il nome, confermare con Applica e chiudi. Tornati nella finestra di "
                       "avvio, il pulsante Apri catalogo esistente mostra l'elenco di tutti i cataloghi creati: "
                       "è sufficiente fare clic sul nome desiderato e premere Apri archivio."),
        QStringLiteral("L'icona del cestino elimina il catalogo selezionato. Va usata con prudenza: l'archivio "
                       "eliminato resta per novanta giorni nel cestino, da cui lo riporta il pulsante Recupera "
                       "della finestra Copie di sicurezza."),
        QStringLiteral("La scheda di ogni opera ne registra il titolo, il soggetto, l'autore, l'anno di "
                       "esecuzione, la nazionalità dell'autore, la tecnica (ad esempio olio su tela, acquerello, "
                       "tempera, acrilico), la corrente artistica, le dimensioni, il supporto (ad esempio tela, "
                       "tavola, carta, cartone), il luogo di conservazione (collezione privata, galleria o "
                       "museo), il proprietario attuale con il suo codice fiscale e il numero di telefono, e "
                       "infine il valore stimato o reale dell'opera."),
        QStringLiteral("Il campo \"Note\" accoglie ogni altra informazione utile: la provenienza, i precedenti "
                       "proprietari, le mostre alle quali l'opera ha partecipato. Una ricerca che usa \"Note\" "
                       "come filtro elenca tutte le schede che contengono la chiave cercata."),
        QStringLiteral("Per inserire una nuova scheda: premere Nuovo, compilare i campi, caricare la foto e "
                       "premere Salva. Per modificare una scheda esistente: visualizzarla con le frecce di "
                       "scorrimento oppure con la ricerca, apportare le modifiche e premere Salva."),
        QStringLiteral("Il pulsante Carica foto carica una fotografia in formato JPEG o bitmap, adattandola al "
                       "riquadro di anteprima. L'icona della lente la mostra a tutto schermo; con i pulsanti "
                       "accanto la foto può essere salvata su disco oppure tolta dalla scheda."),
        QStringLiteral("Il pulsante con il segno di spunta verifica la correttezza del codice fiscale del "
                       "proprietario attuale."),
        QStringLiteral("Il pulsante Duplica è comodo per compilare schede simili, ad esempio opere dello stesso "
                       "autore: visualizzare una scheda già salvata, premere Duplica, inserire i nuovi dati e "
                       "premere Salva."),
        QStringLiteral("Per cercare una scheda si preme il pulsante di ricerca, si inseriscono uno o più filtri "
                       "nei campi desiderati e si preme Cerca. Sono ammesse anche chiavi parziali, cioè una o "
                       "più parole consecutive di un campo. Un doppio clic su una riga dei risultati richiama la "
                       "scheda corrispondente."),
        QStringLiteral("Il pulsante Allega file permette di allegare a una scheda documenti di qualsiasi tipo, "
                       "come un certificato di autenticità o le recensioni dell'opera."),
        QStringLiteral("La casella Venduta contrassegna un'opera venduta. Il pulsante con la mano e la moneta "
                       "elenca tutte le opere non ancora vendute. Dopo una vendita, la scheda può anche essere "
                       "sovrascritta con i dati di un'altra opera."),
        QStringLiteral("Lo Slide show mostra a tutto schermo le foto del catalogo, una ogni sei secondi, e dopo "
                       "l'ultima ricomincia dalla prima; un clic in qualsiasi punto dello schermo lo interrompe. "
                       "In una vetrina più monitor possono mostrare ciascuno la propria presentazione: il "
                       "programma può infatti essere installato su più computer oppure condiviso in una rete "
                       "locale."),
        QStringLiteral("La scheda, completa di foto e commenti, si stampa su un foglio di formato A4."),
        QStringLiteral("L'intero inventario può essere esportato in un file di Microsoft Excel, che si apre con "
                       "qualsiasi programma in grado di gestire i file XLS."),
    };
}

} // namespace

HelpTopic sheetTopic() { return {QStringLiteral("App Pinakos."), sheetParagraphs()}; }

HelpTopic startTopic()
{
    QStringList p{
        QStringLiteral("Pinakos è il programma pensato per le gallerie d'arte, i collezionisti e gli "
                       "appassionati di pittura che desiderano conservare, anche su una chiavetta USB, un "
                       "archivio fotografico dei dipinti in loro possesso."),
        QStringLiteral("Le opere si raccolgono in archivi ordinati per soggetto: paesaggi, ritratti, nature "
                       "morte, marine, arte sacra, arte contemporanea e così via. La scheda di ogni dipinto può "
                       "essere corredata dalla sua fotografia, e in pochi clic una scheda si ritrova, si "
                       "aggiorna o si stampa insieme alla foto."),
        QStringLiteral("Si possono tenere tutti i cataloghi che si desidera. I dati inseriti si ritrovano nella "
                       "finestra di ricerca, dove possono essere interrogati secondo diversi criteri, e se ne "
                       "possono stampare gli elenchi."),
        QStringLiteral("Dalla finestra di avvio si accede a due aree di lavoro: la creazione di un nuovo catalogo "
                       "e l'apertura di un catalogo esistente. Il primo passo consiste nel premere il pulsante "
                       "dell'area desiderata."),
        QStringLiteral("Tutti i file di archivio si trovano nella cartella del programma: una copia dell'intera "
                       "cartella su un disco esterno o su una chiavetta USB costituisce quindi una copia di "
                       "sicurezza completa."),
    };
    p += sheetParagraphs();
    p += QStringList{
        QStringLiteral("Il programma può essere utilizzato anche in una rete locale, per condividere gli archivi "
                       "tra più postazioni di lavoro."),
        QStringLiteral("L'accesso al programma è protetto da una password, che l'utente può cambiare in "
                       "qualsiasi momento. Per il primo accesso la password è PINAKOS; per sostituirla basta "
                       "premere \"Cambia password\" nella finestra di accesso."),
        QStringLiteral("Il programma funziona anche da una chiavetta USB: basta copiare la cartella del "
                       "programma sulla chiavetta e avviarlo da lì. Copiare la cartella è anche il modo più "
                       "rapido per fare una copia di sicurezza di tutti gli archivi."),
        QStringLiteral("Pinakos è uno strumento adatto tanto alle gallerie e alle mostre quanto ai privati "
                       "appassionati di pittura, e non richiede praticamente alcun apprendimento: buon lavoro!"),
    };
    return {QStringLiteral("Uno sguardo a Pinakos."), p};
}

HelpTopic exportTopic()
{
    return {QStringLiteral("Esportazione inventario opere d'arte in Microsoft Excel."),
            {
                QStringLiteral("Il comando Esporta archivio trasferisce l'inventario in un foglio di lavoro di "
                               "Microsoft Excel, che si apre con qualsiasi programma in grado di gestire i file "
                               "XLS."),
                QStringLiteral("Aperta la finestra con la griglia dei dati, un clic sull'icona di Excel crea "
                               "subito un file XLS con tutte le schede del catalogo; rispondendo sì alla domanda "
                               "che segue, il file si apre immediatamente. Le due icone accanto creano allo "
                               "stesso modo il file Inventario_Opere.ods, per LibreOffice e gli altri programmi "
                               "che leggono il formato OpenDocument, e il file Inventario_Opere.xlsx, per Excel "
                               "2007 e successivi."),
                QStringLiteral("Il file può poi essere salvato su disco con il nome che si preferisce."),
            }};
}

HelpTopic documentsTopic()
{
    return {
        QStringLiteral("Documenti dell'opera e del catalogo."),
        {
            QStringLiteral("La finestra dei documenti si apre dalla finestra di stampa con il collegamento Altri "
                           "documenti oppure dalla scheda con i tasti Ctrl+Maiusc+P."),
            QStringLiteral("Il certificato di autenticità e provenienza e la scheda Object ID riguardano l'opera "
                           "mostrata nella scheda: riportano la fotografia e i dati dell'opera; nella scheda Object "
                           "ID le voci che la scheda non contiene restano righe vuote da compilare a mano."),
            QStringLiteral("L'inventario per l'assicurazione, le etichette da parete e il listino prezzi "
                           "riguardano l'intero catalogo, oppure le sole opere non vendute; il listino comprende "
                           "sempre le sole opere non vendute. L'inventario e il listino terminano con il totale "
                           "dei valori in euro."),
            QStringLiteral("Le etichette sono otto per foglio A4, con i segni per il taglio; il prezzo compare "
                           "solo se è spuntata la casella Mostra i prezzi."),
            QStringLiteral("Il pulsante Intestazione permette di indicare nome, indirizzo, città, partita IVA o "
                           "codice fiscale, telefono, e-mail e un logo, stampati in testa a ogni documento."),
        }};
}

HelpTopic importTopic()
{
    return {QStringLiteral("Importazione di schede da un foglio di calcolo."),
            {
                QStringLiteral("La finestra si apre dalla creazione del catalogo con il pulsante Importa da foglio di "
                               "calcolo, per un catalogo nuovo, oppure dalla scheda con i tasti Ctrl+I, per "
                               "aggiungere schede al catalogo aperto."),
                QStringLiteral("Si possono importare file CSV (separati da punto e virgola, virgola o tabulazione), "
                               "fogli OpenDocument (.ods), cartelle di Excel (.xlsx) e il file esportato dal "
                               "programma stesso. Le prime righe del file compaiono nell'anteprima."),
                QStringLiteral("Per ogni campo della scheda si sceglie la colonna del file che lo riempie; se la "
                               "prima riga contiene le intestazioni, le colonne vengono abbinate da sole ai campi "
                               "con lo stesso nome. La colonna Foto può indicare i nomi dei file delle foto, cercati "
                               "nella cartella delle foto."),
                QStringLiteral("I valori seguono le regole della scheda: il valore in euro diventa un importo con "
                               "due decimali, la casella Venduta è spuntata per Sì, x, 1 o venduta, e i testi troppo "
                               "lunghi vengono tagliati. Le righe cambiate sono elencate in un file di resoconto "
                               "accanto all'archivio."),
                QStringLiteral("Le schede vengono aggiunte tutte insieme: se qualcosa non riesce, il catalogo resta "
                               "com'era."),
            }};
}

HelpTopic backupTopic()
{
    return {QStringLiteral("Copie di sicurezza dei cataloghi."),
            {
                QStringLiteral("Una copia di sicurezza è una normale cartella, leggibile anche senza Pinakos, che "
                               "contiene tutti i cataloghi, le foto, i documenti allegati e la password, con "
                               "l'elenco copia.txt che riporta per ogni file la dimensione e l'impronta SHA-256."),
                QStringLiteral("Scegli cartella indica dove tenere le copie: meglio un disco esterno o una "
                               "chiavetta, non il disco del programma. Crea copia ora fa subito una copia, che "
                               "viene riletta e controllata prima di comparire nell'elenco."),
                QStringLiteral("Con la copia automatica attiva, alla chiusura del programma viene fatta una copia "
                               "se qualcosa è cambiato dall'ultima; si tengono le ultime dieci copie automatiche, "
                               "mentre quelle fatte a mano non vengono mai eliminate dal programma."),
                QStringLiteral("Ripristina rimette nella cartella del programma i file della copia scelta, dopo "
                               "averla controllata; prima viene fatta una copia dello stato attuale, indicata come "
                               "prima del ripristino, per poter tornare indietro."),
                QStringLiteral("I cataloghi eliminati restano nel cestino per novanta giorni: Recupera riporta il "
                               "catalogo scelto tra quelli esistenti, con il suo nome o con un altro se il nome è "
                               "già in uso."),
            }};
}

} // namespace pinakos
