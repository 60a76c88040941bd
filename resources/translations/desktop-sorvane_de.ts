<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Sorvane</name>
    <message>
        <source>The desktop&apos;s wallpaper service is not available on this system.</source>
        <translation>Der Hintergrunddienst des Desktops ist auf diesem System nicht verfügbar.</translation>
    </message>
    <message>
        <source>Waiting for %1 to finish...</source>
        <translation>Warten, bis %1 fertig ist...</translation>
    </message>
    <message>
        <source>The desktop could not be reached, so nothing was built.<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>Der Desktop war nicht erreichbar, daher wurde nichts erstellt.<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>The slide show was not built: %1<byte value="xd"/>
<byte value="xd"/>
The page and your saved settings were left as they were.</source>
        <translation>Die Diashow wurde nicht erstellt: %1<byte value="xd"/>
<byte value="xd"/>
Die Seite und Ihre gespeicherten Einstellungen bleiben unverändert.</translation>
    </message>
    <message>
        <source>The slide show page was written, but the desktop could not be updated.<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>Die Diashow-Seite wurde geschrieben, aber der Desktop konnte nicht aktualisiert werden.<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>Getting information...</source>
        <translation>Informationen werden gesammelt...</translation>
    </message>
    <message>
        <source>The slide show was not built: %1</source>
        <translation>Die Diashow wurde nicht erstellt: %1</translation>
    </message>
    <message>
        <source>Saved folders and sizes</source>
        <translation>Gespeicherte Ordner und Größen</translation>
    </message>
    <message>
        <source>Slide show settings</source>
        <translation>Diashow-Einstellungen</translation>
    </message>
    <message>
        <source>Some settings could not be read, so defaults are used:<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>Einige Einstellungen konnten nicht gelesen werden, daher gelten die Vorgaben:<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>The preview cannot be prepared: &quot;%1&quot; is not a folder. Move it elsewhere and try again.</source>
        <translation>Die Vorschau kann nicht vorbereitet werden: „%1“ ist kein Ordner. Verschieben Sie es an einen anderen Ort und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>It was kept as &quot;%1&quot;.</source>
        <translation>Sie wurde als „%1“ aufbewahrt.</translation>
    </message>
    <message>
        <source>Add Picture</source>
        <translation>Bild hinzufügen</translation>
    </message>
    <message>
        <source>The file %1 cannot be added because %2.</source>
        <translation>Die Datei %1 kann nicht hinzugefügt werden: %2.</translation>
    </message>
    <message>
        <source>The picture list is full: it holds at most %1 pictures. The remaining pictures were not added.</source>
        <translation>Die Bilderliste ist voll: Sie fasst höchstens %1 Bilder. Die übrigen Bilder wurden nicht hinzugefügt.</translation>
    </message>
    <message>
        <source>Overwrite Image?</source>
        <translation>Bild überschreiben?</translation>
    </message>
    <message>
        <source>The file %1 already exists. Do you want to overwrite it?</source>
        <translation>Die Datei %1 ist bereits vorhanden. Möchten Sie sie überschreiben?</translation>
    </message>
    <message>
        <source>The file %1 could not be added: %2.</source>
        <translation>Die Datei %1 konnte nicht hinzugefügt werden: %2.</translation>
    </message>
    <message>
        <source>Add Pictures</source>
        <translation>Bilder hinzufügen</translation>
    </message>
    <message>
        <source>Select a folder which contains pictures you want to add.</source>
        <translation>Wählen Sie einen Ordner mit den Bildern, die Sie hinzufügen möchten.</translation>
    </message>
    <message>
        <source>Adding Pictures...</source>
        <translation>Bilder werden hinzugefügt...</translation>
    </message>
    <message>
        <source>All Supported Images|*.jpg;*.bmp;*.png|Bitmaps|*.bmp|JPEG Images|*.jpg|PNG Images|*.png</source>
        <translation>Alle unterstützten Bilder|*.jpg;*.bmp;*.png|Bitmaps|*.bmp|JPEG-Bilder|*.jpg|PNG-Bilder|*.png</translation>
    </message>
    <message>
        <source>Creating Sorvane.html...</source>
        <translation>Sorvane.html wird erstellt...</translation>
    </message>
    <message>
        <source>Desktop Slide Show Not Running</source>
        <translation>Desktop-Diashow läuft nicht</translation>
    </message>
    <message>
        <source>The desktop slide show is not running. Click &apos;OK&apos; to start it with this page as your wallpaper.</source>
        <translation>Die Desktop-Diashow läuft nicht. Klicken Sie auf „OK“, um sie mit dieser Seite als Hintergrund zu starten.</translation>
    </message>
    <message>
        <source>The desktop slide show is not running.<byte value="xd"/>
<byte value="xd"/>
Click &apos;OK&apos; to start it now.</source>
        <translation>Die Desktop-Diashow läuft nicht.<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf „OK“, um sie jetzt zu starten.</translation>
    </message>
    <message>
        <source>The slide show is drawn on your desktop by Desktop Sorvane&apos;s own desktop host, which starts when you set the page as your wallpaper and again at every login. The preview opens in your web browser.</source>
        <translation>Die Diashow zeichnet der eigene Desktop-Host von Desktop Sorvane auf Ihren Desktop. Er startet, wenn Sie die Seite als Hintergrund festlegen, und bei jeder Anmeldung erneut. Die Vorschau öffnet sich in Ihrem Webbrowser.</translation>
    </message>
    <message>
        <source>Active Desktop Not Enabled</source>
        <translation>Active Desktop nicht aktiviert</translation>
    </message>
    <message>
        <source>You will need to enable Active Desktop before you can view this page as your wallpaper.</source>
        <translation>Sie müssen Active Desktop aktivieren, bevor Sie diese Seite als Hintergrund sehen können.</translation>
    </message>
    <message>
        <source>Active Desktop Disabled</source>
        <translation>Active Desktop deaktiviert</translation>
    </message>
    <message>
        <source>You need to enable &apos;Active Desktop&apos; under the &apos;Web&apos; tab of your Display Settings.<byte value="xd"/>
<byte value="xd"/>
Click &apos;OK&apos; to do this now.</source>
        <translation>Sie müssen „Active Desktop“ auf der Registerkarte „Web“ der Anzeigeeinstellungen aktivieren.<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf „OK“, um das jetzt zu tun.</translation>
    </message>
    <message>
        <source>Desktop Slide Show</source>
        <translation>Desktop-Diashow</translation>
    </message>
    <message>
        <source>You will need to enable Active Desktop in order to use this program. To view the transforms you also need Internet Explorer 5.5 installed and the latest version of DirectX.</source>
        <translation>Für dieses Programm muss Active Desktop aktiviert sein. Für die Übergänge brauchen Sie außerdem Internet Explorer 5.5 und die neueste Version von DirectX.</translation>
    </message>
    <message>
        <source>a picture could not be prepared, %1</source>
        <translation>ein Bild konnte nicht vorbereitet werden, %1</translation>
    </message>
    <message>
        <source>%1 pictures could not be prepared:</source>
        <translation>%1 Bilder konnten nicht vorbereitet werden:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a slide show&apos;s settings: %2</source>
        <translation>„%1“ enthält keine Diashow-Einstellungen: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be read and could not be moved aside (%2), so it is left as it is and your settings are not saved.</source>
        <translation>„%1“ konnte weder gelesen noch beiseitegelegt werden (%2). Die Datei bleibt, wie sie ist, und Ihre Einstellungen werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>No folder for this run&apos;s pictures could be made in &quot;%1&quot;</source>
        <translation>In „%1“ konnte kein Ordner für die Bilder dieses Laufs angelegt werden</translation>
    </message>
    <message>
        <source>The view duration &quot;%1&quot; is not a number of seconds.</source>
        <translation>Die Anzeigedauer „%1“ ist keine Anzahl Sekunden.</translation>
    </message>
    <message>
        <source>The view duration &quot;%1&quot; is too large.</source>
        <translation>Die Anzeigedauer „%1“ ist zu groß.</translation>
    </message>
    <message>
        <source>The page template &quot;%1&quot; is missing or cannot be read.</source>
        <translation>Die Seitenvorlage „%1“ fehlt oder kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The pictures folder is not known, so the page cannot be written.</source>
        <translation>Der Bilderordner ist unbekannt, daher kann die Seite nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>it holds NUL bytes</source>
        <translation>sie enthält NUL-Bytes</translation>
    </message>
    <message>
        <source>its first line is no colour</source>
        <translation>ihre erste Zeile ist keine Farbe</translation>
    </message>
    <message>
        <source>its last line is cut short</source>
        <translation>ihre letzte Zeile ist abgeschnitten</translation>
    </message>
    <message>
        <source>%1 of its lines are no picture entries</source>
        <translation>%1 ihrer Zeilen sind keine Bildeinträge</translation>
    </message>
    <message>
        <source>The pictures folder is not known, so the slide show cannot be written.</source>
        <translation>Der Bilderordner ist nicht bekannt, daher kann die Diashow nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The slide show&apos;s pictures cannot be written in &quot;%1&quot;: %2.</source>
        <translation>Die Bilder der Diashow können nicht in „%1“ geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>a file of that name is in the way</source>
        <translation>eine Datei dieses Namens ist im Weg</translation>
    </message>
    <message>
        <source>The slide show&apos;s pictures were left aside by a build that was cut short, in &quot;%1&quot;, and could not be put back: %2.</source>
        <translation>Die Bilder der Diashow wurden von einer abgebrochenen Erstellung in „%1“ beiseitegelegt und konnten nicht zurückgelegt werden: %2.</translation>
    </message>
    <message>
        <source>A build of the slide show was cut short; its earlier pictures were put back.</source>
        <translation>Eine Erstellung der Diashow wurde abgebrochen; ihre früheren Bilder wurden zurückgelegt.</translation>
    </message>
    <message>
        <source>Your settings could not be saved: %1</source>
        <translation>Ihre Einstellungen konnten nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The slide show&apos;s pictures cannot be put in place: &quot;%1&quot; is not a folder. Move it elsewhere and apply again.</source>
        <translation>Die Bilder der Diashow können nicht abgelegt werden: „%1“ ist kein Ordner. Verschieben Sie es an einen anderen Ort und übernehmen Sie erneut.</translation>
    </message>
    <message>
        <source>The page cannot be written: &quot;%1&quot; is a folder.</source>
        <translation>Die Seite kann nicht geschrieben werden: „%1“ ist ein Ordner.</translation>
    </message>
    <message>
        <source>Your settings cannot be saved: &quot;%1&quot; is not a regular file. Move it elsewhere and apply again.</source>
        <translation>Ihre Einstellungen können nicht gespeichert werden: „%1“ ist keine normale Datei. Verschieben Sie sie an einen anderen Ort und übernehmen Sie erneut.</translation>
    </message>
    <message>
        <source>The old slide show could not be replaced: %1.</source>
        <translation>Die alte Diashow konnte nicht ersetzt werden: %1.</translation>
    </message>
    <message>
        <source>The new slide show could not be put in place (%1), and the earlier pictures are still in &quot;%2&quot; (%3).</source>
        <translation>Die neue Diashow konnte nicht abgelegt werden (%1), und die früheren Bilder liegen noch in „%2“ (%3).</translation>
    </message>
    <message>
        <source>The new slide show could not be put in place: %1.</source>
        <translation>Die neue Diashow konnte nicht abgelegt werden: %1.</translation>
    </message>
    <message>
        <source>%1 The new pictures stay in place; the page and settings are the earlier ones.</source>
        <translation>%1 Die neuen Bilder bleiben bestehen; Seite und Einstellungen sind die früheren.</translation>
    </message>
    <message>
        <source>%1 The new page and pictures stay in place.</source>
        <translation>%1 Die neue Seite und die neuen Bilder bleiben bestehen.</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;: %2</source>
        <translation>„%1“ konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Could not read &quot;%1&quot;: %2</source>
        <translation>„%1“ konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Could not replace &quot;%1&quot;: %2</source>
        <translation>„%1“ konnte nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>es ist keine Datei</translation>
    </message>
    <message>
        <source>The folder %1 can&apos;t be created: %2</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The login entry %1 can&apos;t be removed: %2</source>
        <translation>Der Anmeldeeintrag %1 kann nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>The desktop host (desktop-sorvane-host) is not installed.</source>
        <translation>Der Desktop-Host (desktop-sorvane-host) ist nicht installiert.</translation>
    </message>
    <message>
        <source>No pipe for the desktop host: %1</source>
        <translation>Keine Pipe für den Desktop-Host: %1</translation>
    </message>
    <message>
        <source>The desktop host %1 can&apos;t be started: %2</source>
        <translation>Der Desktop-Host %1 kann nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The desktop host did not answer within %1 s; whether it shows the page is not known.</source>
        <translation>Der Desktop-Host hat nicht innerhalb von %1 s geantwortet; ob er die Seite zeigt, ist nicht bekannt.</translation>
    </message>
    <message>
        <source>The desktop host could not start.</source>
        <translation>Der Desktop-Host konnte nicht starten.</translation>
    </message>
    <message>
        <source>The desktop host&apos;s socket path is too long: %1</source>
        <translation>Der Socket-Pfad des Desktop-Hosts ist zu lang: %1</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 can&apos;t be examined</source>
        <translation>Der Ordner %1 des Desktop-Hosts kann nicht geprüft werden</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 is not a folder.</source>
        <translation>Der Ordner %1 des Desktop-Hosts ist kein Ordner.</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 belongs to another user.</source>
        <translation>Der Ordner %1 des Desktop-Hosts gehört einem anderen Benutzer.</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 is open to other users.</source>
        <translation>Der Ordner %1 des Desktop-Hosts ist für andere Benutzer offen.</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 can&apos;t be made private</source>
        <translation>Der Ordner %1 des Desktop-Hosts kann nicht privat gemacht werden</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 can&apos;t be created</source>
        <translation>Der Ordner %1 des Desktop-Hosts kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>The desktop host&apos;s lock %1 can&apos;t be opened</source>
        <translation>Die Sperre %1 des Desktop-Hosts kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>The desktop host&apos;s lock %1 can&apos;t be taken</source>
        <translation>Die Sperre %1 des Desktop-Hosts kann nicht gesetzt werden</translation>
    </message>
    <message>
        <source>The old socket %1 can&apos;t be removed</source>
        <translation>Der alte Socket %1 kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>The desktop host&apos;s socket can&apos;t be made</source>
        <translation>Der Socket des Desktop-Hosts kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>The desktop host&apos;s socket %1 can&apos;t be bound</source>
        <translation>Der Socket %1 des Desktop-Hosts kann nicht gebunden werden</translation>
    </message>
    <message>
        <source>The desktop host&apos;s socket %1 can&apos;t be opened</source>
        <translation>Der Socket %1 des Desktop-Hosts kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>No socket for the desktop host</source>
        <translation>Kein Socket für den Desktop-Host</translation>
    </message>
    <message>
        <source>The desktop host can&apos;t be reached at %1</source>
        <translation>Der Desktop-Host ist unter %1 nicht erreichbar</translation>
    </message>
    <message>
        <source>The desktop host at %1 belongs to another user.</source>
        <translation>Der Desktop-Host unter %1 gehört einem anderen Benutzer.</translation>
    </message>
    <message>
        <source>The desktop host closed its socket before taking the request.</source>
        <translation>Der Desktop-Host hat seinen Socket geschlossen, bevor er die Anfrage annahm.</translation>
    </message>
    <message>
        <source>The desktop host did not answer.</source>
        <translation>Der Desktop-Host hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>The desktop slide show could not be started. %1</source>
        <translation>Die Desktop-Diashow konnte nicht gestartet werden. %1</translation>
    </message>
    <message>
        <source>The desktop could not show the page. %1</source>
        <translation>Der Desktop konnte die Seite nicht zeigen. %1</translation>
    </message>
    <message>
        <source>another Desktop Sorvane</source>
        <translation>ein anderes Desktop Sorvane</translation>
    </message>
    <message>
        <source>The lock file &quot;%1&quot; can&apos;t be opened (error %2).</source>
        <translation>Die Sperrdatei „%1“ kann nicht geöffnet werden (Fehler %2).</translation>
    </message>
    <message>
        <source>%1 is still changing the slide show. Try again once it has finished.</source>
        <translation>%1 ändert die Diashow noch. Versuchen Sie es erneut, sobald es fertig ist.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; can&apos;t be opened: %2.</source>
        <translation>Der Ordner „%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; can&apos;t be locked: %2.</source>
        <translation>Der Ordner „%1“ kann nicht gesperrt werden: %2.</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>The desktop refused %1: %2</source>
        <translation>Der Desktop hat %1 abgelehnt: %2</translation>
    </message>
    <message>
        <source>The picture &quot;%1&quot; (%2 x %3 pixels) is too large to prepare in the memory available. The slide show keeps its earlier copy, or leaves it out when it has none.</source>
        <translation>Das Bild „%1“ (%2 x %3 Pixel) ist zu groß, um es im verfügbaren Speicher vorzubereiten. Die Diashow behält seine frühere Kopie oder lässt es weg, wenn es keine gibt.</translation>
    </message>
    <message>
        <source>it could not be laid on the background</source>
        <translation>es konnte nicht auf den Hintergrund gelegt werden</translation>
    </message>
    <message>
        <source>Picture Too Large</source>
        <translation>Bild zu groß</translation>
    </message>
    <message>
        <source>Creating Images...</source>
        <translation>Bilder werden erstellt...</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The desktop slide show is not running.</source>
        <translation>Die Desktop-Diashow läuft nicht.</translation>
    </message>
    <message>
        <source>Windows shows your pictures as its own desktop slide show: one at a time, each for the time you chose, with its own fade between them. The page&apos;s transitions show in Preview.</source>
        <translation>Windows zeigt Ihre Bilder als eigene Desktop-Diashow: eines nach dem anderen, jedes so lange, wie Sie gewählt haben, mit der eigenen Überblendung von Windows. Die Übergänge der Seite sehen Sie in der Vorschau.</translation>
    </message>
    <message>
        <source>Windows Desktop Not Running</source>
        <translation>Windows-Desktop läuft nicht</translation>
    </message>
    <message>
        <source>The Windows desktop is not running, so your pictures may not show on it until it starts again.</source>
        <translation>Der Windows-Desktop läuft nicht; Ihre Bilder erscheinen dort womöglich erst, wenn er wieder startet.</translation>
    </message>
    <message>
        <source>The Windows desktop is not running, so your pictures may not show on it.<byte value="xd"/>
<byte value="xd"/>
Click &apos;OK&apos; to open the display settings.</source>
        <translation>Der Windows-Desktop läuft nicht; Ihre Bilder erscheinen dort womöglich nicht.<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf „OK“, um die Anzeigeeinstellungen zu öffnen.</translation>
    </message>
    <message>
        <source>On Windows 10 and 11 your pictures become Windows&apos; own desktop slide show, which changes them with its own fade. The page&apos;s transitions show in Preview, in your web browser.</source>
        <translation>Unter Windows 10 und 11 werden Ihre Bilder zur eigenen Desktop-Diashow von Windows, die sie mit ihrer eigenen Überblendung wechselt. Die Übergänge der Seite sehen Sie in der Vorschau, in Ihrem Webbrowser.</translation>
    </message>
    <message>
        <source>The desktop slide show has stopped, and your earlier wallpaper is back.</source>
        <translation>Die Desktop-Diashow ist beendet, und Ihr früheres Hintergrundbild ist zurück.</translation>
    </message>
</context>
<context>
    <name>SystemColor</name>
    <message>
        <source>Scroll Bars</source>
        <translation>Bildlaufleisten</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>Active Title Bar</source>
        <translation>Aktive Titelleiste</translation>
    </message>
    <message>
        <source>Inactive Title Bar</source>
        <translation>Inaktive Titelleiste</translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation>Menüleiste</translation>
    </message>
    <message>
        <source>Window Background</source>
        <translation>Fensterhintergrund</translation>
    </message>
    <message>
        <source>Window Frame</source>
        <translation>Fensterrahmen</translation>
    </message>
    <message>
        <source>Menu Text</source>
        <translation>Menütext</translation>
    </message>
    <message>
        <source>Window Text</source>
        <translation>Fenstertext</translation>
    </message>
    <message>
        <source>Active Title Bar Text</source>
        <translation>Text der aktiven Titelleiste</translation>
    </message>
    <message>
        <source>Active Border</source>
        <translation>Aktiver Rahmen</translation>
    </message>
    <message>
        <source>Inactive Border</source>
        <translation>Inaktiver Rahmen</translation>
    </message>
    <message>
        <source>Application Workspace</source>
        <translation>Anwendungsarbeitsbereich</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Markierung</translation>
    </message>
    <message>
        <source>Highlight Text</source>
        <translation>Markierter Text</translation>
    </message>
    <message>
        <source>Button Face</source>
        <translation>Schaltfläche</translation>
    </message>
    <message>
        <source>Button Shadow</source>
        <translation>Schaltflächenschatten</translation>
    </message>
    <message>
        <source>Disabled Text</source>
        <translation>Deaktivierter Text</translation>
    </message>
    <message>
        <source>Button Text</source>
        <translation>Schaltflächentext</translation>
    </message>
    <message>
        <source>Inactive Title Bar Text</source>
        <translation>Text der inaktiven Titelleiste</translation>
    </message>
    <message>
        <source>Button Highlight</source>
        <translation>Schaltflächenlicht</translation>
    </message>
    <message>
        <source>Button Dark Shadow</source>
        <translation>Dunkler Schaltflächenschatten</translation>
    </message>
    <message>
        <source>Button Light Shadow</source>
        <translation>Heller Schaltflächenschatten</translation>
    </message>
    <message>
        <source>ToolTip Text</source>
        <translation>QuickInfo-Text</translation>
    </message>
    <message>
        <source>ToolTip</source>
        <translation>QuickInfo</translation>
    </message>
    <message>
        <source>Button Alternate Face</source>
        <translation>Alternative Schaltfläche</translation>
    </message>
    <message>
        <source>Hot Tracking</source>
        <translation>Hervorhebung beim Zeigen</translation>
    </message>
    <message>
        <source>Active Title Gradient</source>
        <translation>Verlauf der aktiven Titelleiste</translation>
    </message>
    <message>
        <source>Inactive Title Gradient</source>
        <translation>Verlauf der inaktiven Titelleiste</translation>
    </message>
    <message>
        <source>Menu Highlight</source>
        <translation>Menümarkierung</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
</context>
<context>
    <name>Transition</name>
    <message>
        <source>Barn Horizontal In</source>
        <translation>Scheunentor waagrecht herein</translation>
    </message>
    <message>
        <source>Barn Horizontal Out</source>
        <translation>Scheunentor waagrecht hinaus</translation>
    </message>
    <message>
        <source>Barn Vertical In</source>
        <translation>Scheunentor senkrecht herein</translation>
    </message>
    <message>
        <source>Barn Vertical Out</source>
        <translation>Scheunentor senkrecht hinaus</translation>
    </message>
    <message>
        <source>Blinds Down</source>
        <translation>Jalousie nach unten</translation>
    </message>
    <message>
        <source>Blinds Left</source>
        <translation>Jalousie nach links</translation>
    </message>
    <message>
        <source>Blinds Right</source>
        <translation>Jalousie nach rechts</translation>
    </message>
    <message>
        <source>Blinds Up</source>
        <translation>Jalousie nach oben</translation>
    </message>
    <message>
        <source>Box In</source>
        <translation>Rechteck herein</translation>
    </message>
    <message>
        <source>Box Out</source>
        <translation>Rechteck hinaus</translation>
    </message>
    <message>
        <source>Checkerboard Down</source>
        <translation>Schachbrett nach unten</translation>
    </message>
    <message>
        <source>Checkerboard Right</source>
        <translation>Schachbrett nach rechts</translation>
    </message>
    <message>
        <source>Circle In</source>
        <translation>Kreis herein</translation>
    </message>
    <message>
        <source>Circle Out</source>
        <translation>Kreis hinaus</translation>
    </message>
    <message>
        <source>Cover Down</source>
        <translation>Überdecken nach unten</translation>
    </message>
    <message>
        <source>Cover Right</source>
        <translation>Überdecken nach rechts</translation>
    </message>
    <message>
        <source>Cross In</source>
        <translation>Kreuz herein</translation>
    </message>
    <message>
        <source>Cross Out</source>
        <translation>Kreuz hinaus</translation>
    </message>
    <message>
        <source>Fade</source>
        <translation>Überblenden</translation>
    </message>
    <message>
        <source>Fade Overlap</source>
        <translation>Überlappend überblenden</translation>
    </message>
    <message>
        <source>Gradient Wipe Bottom To Top</source>
        <translation>Verlaufswischen von unten nach oben</translation>
    </message>
    <message>
        <source>Gradient Wipe Left To Right</source>
        <translation>Verlaufswischen von links nach rechts</translation>
    </message>
    <message>
        <source>Gradient Wipe Right To Left</source>
        <translation>Verlaufswischen von rechts nach links</translation>
    </message>
    <message>
        <source>Gradient Wipe Top To Bottom</source>
        <translation>Verlaufswischen von oben nach unten</translation>
    </message>
    <message>
        <source>Inset</source>
        <translation>Einsatz</translation>
    </message>
    <message>
        <source>Pie Wipe 10</source>
        <translation>Tortenwischen 10</translation>
    </message>
    <message>
        <source>Pie Wipe 2</source>
        <translation>Tortenwischen 2</translation>
    </message>
    <message>
        <source>Pie Wipe 20</source>
        <translation>Tortenwischen 20</translation>
    </message>
    <message>
        <source>Pie Wipe 4</source>
        <translation>Tortenwischen 4</translation>
    </message>
    <message>
        <source>Plus In</source>
        <translation>Plus herein</translation>
    </message>
    <message>
        <source>Plus Out</source>
        <translation>Plus hinaus</translation>
    </message>
    <message>
        <source>Radial Wipe</source>
        <translation>Radialwischen</translation>
    </message>
    <message>
        <source>Radial Wipe Clock</source>
        <translation>Radialwischen Uhrzeiger</translation>
    </message>
    <message>
        <source>Radial Wipe Wedge</source>
        <translation>Radialwischen Keil</translation>
    </message>
    <message>
        <source>Random Bars Horizontal</source>
        <translation>Zufällige Balken waagrecht</translation>
    </message>
    <message>
        <source>Random Bars Vertical</source>
        <translation>Zufällige Balken senkrecht</translation>
    </message>
    <message>
        <source>Random Dissolve</source>
        <translation>Zufällig auflösen</translation>
    </message>
    <message>
        <source>Slide Hide</source>
        <translation>Schieben verbergen</translation>
    </message>
    <message>
        <source>Slide Hide Many</source>
        <translation>Schieben verbergen, mehrfach</translation>
    </message>
    <message>
        <source>Slide Push</source>
        <translation>Schieben drücken</translation>
    </message>
    <message>
        <source>Slide Push Many</source>
        <translation>Schieben drücken, mehrfach</translation>
    </message>
    <message>
        <source>Slide Swap</source>
        <translation>Schieben tauschen</translation>
    </message>
    <message>
        <source>Slide Swap Many</source>
        <translation>Schieben tauschen, mehrfach</translation>
    </message>
    <message>
        <source>Spiral</source>
        <translation>Spirale</translation>
    </message>
    <message>
        <source>Star In</source>
        <translation>Stern herein</translation>
    </message>
    <message>
        <source>Star Out</source>
        <translation>Stern hinaus</translation>
    </message>
    <message>
        <source>Stretch Hide</source>
        <translation>Strecken verbergen</translation>
    </message>
    <message>
        <source>Stretch Push</source>
        <translation>Strecken drücken</translation>
    </message>
    <message>
        <source>Stretch Spin</source>
        <translation>Strecken drehen</translation>
    </message>
    <message>
        <source>Strips Left Down</source>
        <translation>Streifen links unten</translation>
    </message>
    <message>
        <source>Strips Left Up</source>
        <translation>Streifen links oben</translation>
    </message>
    <message>
        <source>Strips Right Down</source>
        <translation>Streifen rechts unten</translation>
    </message>
    <message>
        <source>Strips Right Up</source>
        <translation>Streifen rechts oben</translation>
    </message>
    <message>
        <source>ZigZag</source>
        <translation>Zickzack</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keiner</translation>
    </message>
</context>
<context>
    <name>sorvane::AboutTab</name>
    <message>
        <source>A stack of slides with a landscape on the top one</source>
        <translation>Ein Stapel Dias, auf dem obersten eine Landschaft</translation>
    </message>
    <message>
        <source>This program allows you to create a slide show web page on your desktop with no programming required. If you have any problems please email them to</source>
        <translation>Mit diesem Programm erstellen Sie ohne Programmierung eine Diashow-Webseite auf Ihrem Desktop. Bei Problemen schreiben Sie bitte an</translation>
    </message>
    <message>
        <source>This program is freeware and is provided as-is, without warranty of any kind. You may pass it on to others freely.</source>
        <translation>Dieses Programm ist Freeware und wird ohne jede Gewähr bereitgestellt. Sie dürfen es frei weitergeben.</translation>
    </message>
    <message>
        <source>Copyright © 2026 the Desktop Sorvane authors. Images are from</source>
        <translation>Copyright © 2026 die Autoren von Desktop Sorvane. Bilder von</translation>
    </message>
</context>
<context>
    <name>sorvane::ColorPicker</name>
    <message>
        <source>System colors</source>
        <translation>Systemfarben</translation>
    </message>
    <message>
        <source>Other Color...</source>
        <translation>Andere Farbe...</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Background color: %1</source>
        <translation>Hintergrundfarbe: %1</translation>
    </message>
    <message>
        <source>Background Color: %1</source>
        <translation>Hintergrundfarbe: %1</translation>
    </message>
</context>
<context>
    <name>sorvane::MainWindow</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Set Wallpaper</source>
        <translation>Als Hintergrund</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
</context>
<context>
    <name>sorvane::OverwriteDialog</name>
    <message>
        <source>Overwrite?</source>
        <translation>Überschreiben?</translation>
    </message>
    <message>
        <source>Yes To All</source>
        <translation>Ja, alle</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>No To All</source>
        <translation>Nein, keine</translation>
    </message>
    <message>
        <source>Overwrite image?</source>
        <translation>Bild überschreiben?</translation>
    </message>
</context>
<context>
    <name>sorvane::ProgressWindow</name>
    <message>
        <source>Desktop Sorvane</source>
        <translation>Desktop Sorvane</translation>
    </message>
    <message>
        <source>Creating Sorvane...</source>
        <translation>Sorvane wird erstellt...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
</context>
<context>
    <name>sorvane::SettingsPage</name>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Pictures:</source>
        <translation>Bilder:</translation>
    </message>
    <message>
        <source>Add Picture</source>
        <translation>Bild hinzufügen</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>Auswahl entfernen</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Vorschau:</translation>
    </message>
    <message>
        <source>Transform</source>
        <translation>Übergang</translation>
    </message>
    <message>
        <source>Transform:</source>
        <translation>Übergang:</translation>
    </message>
    <message>
        <source>Background Color:</source>
        <translation>Hintergrundfarbe:</translation>
    </message>
    <message>
        <source>View Duration:</source>
        <translation>Anzeigedauer:</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Align Image</source>
        <translation>Bild ausrichten</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
</context>
</TS>
