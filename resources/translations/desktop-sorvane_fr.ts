<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Sorvane</name>
    <message>
        <source>The desktop&apos;s wallpaper service is not available on this system.</source>
        <translation>Le service de fond d&apos;écran du bureau n&apos;est pas disponible sur ce système.</translation>
    </message>
    <message>
        <source>Waiting for %1 to finish...</source>
        <translation>Attente de la fin de %1...</translation>
    </message>
    <message>
        <source>The desktop could not be reached, so nothing was built.<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>Le bureau est injoignable : rien n&apos;a été créé.<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>The slide show was not built: %1<byte value="xd"/>
<byte value="xd"/>
The page and your saved settings were left as they were.</source>
        <translation>Le diaporama n&apos;a pas été créé : %1<byte value="xd"/>
<byte value="xd"/>
La page et vos réglages enregistrés restent inchangés.</translation>
    </message>
    <message>
        <source>The slide show page was written, but the desktop could not be updated.<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>La page du diaporama a été écrite, mais le bureau n&apos;a pas pu être mis à jour.<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>Getting information...</source>
        <translation>Collecte des informations...</translation>
    </message>
    <message>
        <source>The slide show was not built: %1</source>
        <translation>Le diaporama n&apos;a pas été créé : %1</translation>
    </message>
    <message>
        <source>Saved folders and sizes</source>
        <translation>Dossiers et tailles enregistrés</translation>
    </message>
    <message>
        <source>Slide show settings</source>
        <translation>Réglages du diaporama</translation>
    </message>
    <message>
        <source>Some settings could not be read, so defaults are used:<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>Certains réglages n&apos;ont pas pu être lus ; les valeurs par défaut sont utilisées :<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>The preview cannot be prepared: &quot;%1&quot; is not a folder. Move it elsewhere and try again.</source>
        <translation>L&apos;aperçu ne peut pas être préparé : « %1 » n&apos;est pas un dossier. Déplacez-le ailleurs et réessayez.</translation>
    </message>
    <message>
        <source>It was kept as &quot;%1&quot;.</source>
        <translation>Il a été conservé sous « %1 ».</translation>
    </message>
    <message>
        <source>Add Picture</source>
        <translation>Ajouter une image</translation>
    </message>
    <message>
        <source>The file %1 cannot be added because %2.</source>
        <translation>Le fichier %1 ne peut pas être ajouté : %2.</translation>
    </message>
    <message>
        <source>The picture list is full: it holds at most %1 pictures. The remaining pictures were not added.</source>
        <translation>La liste d&apos;images est pleine : elle contient au plus %1 images. Les images restantes n&apos;ont pas été ajoutées.</translation>
    </message>
    <message>
        <source>Overwrite Image?</source>
        <translation>Remplacer l&apos;image ?</translation>
    </message>
    <message>
        <source>The file %1 already exists. Do you want to overwrite it?</source>
        <translation>Le fichier %1 existe déjà. Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>The file %1 could not be added: %2.</source>
        <translation>Le fichier %1 n&apos;a pas pu être ajouté : %2.</translation>
    </message>
    <message>
        <source>Add Pictures</source>
        <translation>Ajouter des images</translation>
    </message>
    <message>
        <source>Select a folder which contains pictures you want to add.</source>
        <translation>Choisissez un dossier contenant les images à ajouter.</translation>
    </message>
    <message>
        <source>Adding Pictures...</source>
        <translation>Ajout des images...</translation>
    </message>
    <message>
        <source>All Supported Images|*.jpg;*.bmp;*.png|Bitmaps|*.bmp|JPEG Images|*.jpg|PNG Images|*.png</source>
        <translation>Toutes les images prises en charge|*.jpg;*.bmp;*.png|Bitmaps|*.bmp|Images JPEG|*.jpg|Images PNG|*.png</translation>
    </message>
    <message>
        <source>Creating Sorvane.html...</source>
        <translation>Création de Sorvane.html...</translation>
    </message>
    <message>
        <source>Desktop Slide Show Not Running</source>
        <translation>Diaporama du bureau arrêté</translation>
    </message>
    <message>
        <source>The desktop slide show is not running. Click &apos;OK&apos; to start it with this page as your wallpaper.</source>
        <translation>Le diaporama du bureau n&apos;est pas lancé. Cliquez sur « OK » pour le lancer avec cette page comme fond d&apos;écran.</translation>
    </message>
    <message>
        <source>The desktop slide show is not running.<byte value="xd"/>
<byte value="xd"/>
Click &apos;OK&apos; to start it now.</source>
        <translation>Le diaporama du bureau n&apos;est pas lancé.<byte value="xd"/>
<byte value="xd"/>
Cliquez sur « OK » pour le lancer maintenant.</translation>
    </message>
    <message>
        <source>The slide show is drawn on your desktop by Desktop Sorvane&apos;s own desktop host, which starts when you set the page as your wallpaper and again at every login. The preview opens in your web browser.</source>
        <translation>Le diaporama est affiché sur votre bureau par l&apos;hôte de bureau propre à Desktop Sorvane, qui démarre lorsque vous définissez la page comme fond d&apos;écran, puis à chaque connexion. L&apos;aperçu s&apos;ouvre dans votre navigateur web.</translation>
    </message>
    <message>
        <source>Active Desktop Not Enabled</source>
        <translation>Active Desktop non activé</translation>
    </message>
    <message>
        <source>You will need to enable Active Desktop before you can view this page as your wallpaper.</source>
        <translation>Vous devez activer Active Desktop pour afficher cette page comme fond d&apos;écran.</translation>
    </message>
    <message>
        <source>Active Desktop Disabled</source>
        <translation>Active Desktop désactivé</translation>
    </message>
    <message>
        <source>You need to enable &apos;Active Desktop&apos; under the &apos;Web&apos; tab of your Display Settings.<byte value="xd"/>
<byte value="xd"/>
Click &apos;OK&apos; to do this now.</source>
        <translation>Vous devez activer « Active Desktop » dans l&apos;onglet « Web » des paramètres d&apos;affichage.<byte value="xd"/>
<byte value="xd"/>
Cliquez sur « OK » pour le faire maintenant.</translation>
    </message>
    <message>
        <source>Desktop Slide Show</source>
        <translation>Diaporama du bureau</translation>
    </message>
    <message>
        <source>You will need to enable Active Desktop in order to use this program. To view the transforms you also need Internet Explorer 5.5 installed and the latest version of DirectX.</source>
        <translation>Ce programme nécessite Active Desktop. Pour voir les transitions, il vous faut aussi Internet Explorer 5.5 et la dernière version de DirectX.</translation>
    </message>
    <message>
        <source>a picture could not be prepared, %1</source>
        <translation>une image n&apos;a pas pu être préparée, %1</translation>
    </message>
    <message>
        <source>%1 pictures could not be prepared:</source>
        <translation>%1 images n&apos;ont pas pu être préparées :</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a slide show&apos;s settings: %2</source>
        <translation>« %1 » ne contient pas de réglages de diaporama : %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be read and could not be moved aside (%2), so it is left as it is and your settings are not saved.</source>
        <translation>« %1 » n&apos;a pu être ni lu ni mis de côté (%2) : le fichier reste tel quel et vos réglages ne sont pas enregistrés.</translation>
    </message>
    <message>
        <source>No folder for this run&apos;s pictures could be made in &quot;%1&quot;</source>
        <translation>Aucun dossier pour les images de cette exécution n&apos;a pu être créé dans « %1 »</translation>
    </message>
    <message>
        <source>The view duration &quot;%1&quot; is not a number of seconds.</source>
        <translation>La durée d&apos;affichage « %1 » n&apos;est pas un nombre de secondes.</translation>
    </message>
    <message>
        <source>The view duration &quot;%1&quot; is too large.</source>
        <translation>La durée d&apos;affichage « %1 » est trop grande.</translation>
    </message>
    <message>
        <source>The page template &quot;%1&quot; is missing or cannot be read.</source>
        <translation>Le modèle de page « %1 » est absent ou illisible.</translation>
    </message>
    <message>
        <source>The pictures folder is not known, so the page cannot be written.</source>
        <translation>Le dossier Images est inconnu : la page ne peut pas être écrite.</translation>
    </message>
    <message>
        <source>it holds NUL bytes</source>
        <translation>il contient des octets NUL</translation>
    </message>
    <message>
        <source>its first line is no colour</source>
        <translation>sa première ligne n&apos;est pas une couleur</translation>
    </message>
    <message>
        <source>its last line is cut short</source>
        <translation>sa dernière ligne est tronquée</translation>
    </message>
    <message>
        <source>%1 of its lines are no picture entries</source>
        <translation>%1 de ses lignes ne sont pas des entrées d&apos;image</translation>
    </message>
    <message>
        <source>The pictures folder is not known, so the slide show cannot be written.</source>
        <translation>Le dossier Images est inconnu : le diaporama ne peut pas être écrit.</translation>
    </message>
    <message>
        <source>The slide show&apos;s pictures cannot be written in &quot;%1&quot;: %2.</source>
        <translation>Les images du diaporama ne peuvent pas être écrites dans « %1 » : %2.</translation>
    </message>
    <message>
        <source>a file of that name is in the way</source>
        <translation>un fichier de ce nom est déjà là</translation>
    </message>
    <message>
        <source>The slide show&apos;s pictures were left aside by a build that was cut short, in &quot;%1&quot;, and could not be put back: %2.</source>
        <translation>Les images du diaporama ont été mises de côté par une création interrompue, dans « %1 », et n&apos;ont pas pu être remises en place : %2.</translation>
    </message>
    <message>
        <source>A build of the slide show was cut short; its earlier pictures were put back.</source>
        <translation>Une création du diaporama a été interrompue ; ses images précédentes ont été remises en place.</translation>
    </message>
    <message>
        <source>Your settings could not be saved: %1</source>
        <translation>Vos réglages n&apos;ont pas pu être enregistrés : %1</translation>
    </message>
    <message>
        <source>The slide show&apos;s pictures cannot be put in place: &quot;%1&quot; is not a folder. Move it elsewhere and apply again.</source>
        <translation>Les images du diaporama ne peuvent pas être mises en place : « %1 » n&apos;est pas un dossier. Déplacez-le ailleurs et appliquez de nouveau.</translation>
    </message>
    <message>
        <source>The page cannot be written: &quot;%1&quot; is a folder.</source>
        <translation>La page ne peut pas être écrite : « %1 » est un dossier.</translation>
    </message>
    <message>
        <source>Your settings cannot be saved: &quot;%1&quot; is not a regular file. Move it elsewhere and apply again.</source>
        <translation>Vos réglages ne peuvent pas être enregistrés : « %1 » n&apos;est pas un fichier ordinaire. Déplacez-le ailleurs et appliquez de nouveau.</translation>
    </message>
    <message>
        <source>The old slide show could not be replaced: %1.</source>
        <translation>L&apos;ancien diaporama n&apos;a pas pu être remplacé : %1.</translation>
    </message>
    <message>
        <source>The new slide show could not be put in place (%1), and the earlier pictures are still in &quot;%2&quot; (%3).</source>
        <translation>Le nouveau diaporama n&apos;a pas pu être mis en place (%1), et les images précédentes sont toujours dans « %2 » (%3).</translation>
    </message>
    <message>
        <source>The new slide show could not be put in place: %1.</source>
        <translation>Le nouveau diaporama n&apos;a pas pu être mis en place : %1.</translation>
    </message>
    <message>
        <source>%1 The new pictures stay in place; the page and settings are the earlier ones.</source>
        <translation>%1 Les nouvelles images restent en place ; la page et les réglages sont les précédents.</translation>
    </message>
    <message>
        <source>%1 The new page and pictures stay in place.</source>
        <translation>%1 La nouvelle page et les nouvelles images restent en place.</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;écrire « %1 » : %2</translation>
    </message>
    <message>
        <source>Could not read &quot;%1&quot;: %2</source>
        <translation>Impossible de lire « %1 » : %2</translation>
    </message>
    <message>
        <source>Could not replace &quot;%1&quot;: %2</source>
        <translation>Impossible de remplacer « %1 » : %2</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>ce n&apos;est pas un fichier</translation>
    </message>
    <message>
        <source>The folder %1 can&apos;t be created: %2</source>
        <translation>Le dossier %1 ne peut pas être créé : %2</translation>
    </message>
    <message>
        <source>The login entry %1 can&apos;t be removed: %2</source>
        <translation>L&apos;entrée de connexion %1 ne peut pas être supprimée : %2</translation>
    </message>
    <message>
        <source>The desktop host (desktop-sorvane-host) is not installed.</source>
        <translation>L&apos;hôte de bureau (desktop-sorvane-host) n&apos;est pas installé.</translation>
    </message>
    <message>
        <source>No pipe for the desktop host: %1</source>
        <translation>Aucun tube pour l&apos;hôte de bureau : %1</translation>
    </message>
    <message>
        <source>The desktop host %1 can&apos;t be started: %2</source>
        <translation>L&apos;hôte de bureau %1 ne peut pas être lancé : %2</translation>
    </message>
    <message>
        <source>The desktop host did not answer within %1 s; whether it shows the page is not known.</source>
        <translation>L&apos;hôte de bureau n&apos;a pas répondu dans les %1 s ; on ne sait pas s&apos;il affiche la page.</translation>
    </message>
    <message>
        <source>The desktop host could not start.</source>
        <translation>L&apos;hôte de bureau n&apos;a pas pu démarrer.</translation>
    </message>
    <message>
        <source>The desktop host&apos;s socket path is too long: %1</source>
        <translation>Le chemin du socket de l&apos;hôte de bureau est trop long : %1</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 can&apos;t be examined</source>
        <translation>Le dossier %1 de l&apos;hôte de bureau ne peut pas être examiné</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 is not a folder.</source>
        <translation>Le dossier %1 de l&apos;hôte de bureau n&apos;est pas un dossier.</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 belongs to another user.</source>
        <translation>Le dossier %1 de l&apos;hôte de bureau appartient à un autre utilisateur.</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 is open to other users.</source>
        <translation>Le dossier %1 de l&apos;hôte de bureau est ouvert aux autres utilisateurs.</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 can&apos;t be made private</source>
        <translation>Le dossier %1 de l&apos;hôte de bureau ne peut pas être rendu privé</translation>
    </message>
    <message>
        <source>The desktop host&apos;s folder %1 can&apos;t be created</source>
        <translation>Le dossier %1 de l&apos;hôte de bureau ne peut pas être créé</translation>
    </message>
    <message>
        <source>The desktop host&apos;s lock %1 can&apos;t be opened</source>
        <translation>Le verrou %1 de l&apos;hôte de bureau ne peut pas être ouvert</translation>
    </message>
    <message>
        <source>The desktop host&apos;s lock %1 can&apos;t be taken</source>
        <translation>Le verrou %1 de l&apos;hôte de bureau ne peut pas être pris</translation>
    </message>
    <message>
        <source>The old socket %1 can&apos;t be removed</source>
        <translation>L&apos;ancien socket %1 ne peut pas être supprimé</translation>
    </message>
    <message>
        <source>The desktop host&apos;s socket can&apos;t be made</source>
        <translation>Le socket de l&apos;hôte de bureau ne peut pas être créé</translation>
    </message>
    <message>
        <source>The desktop host&apos;s socket %1 can&apos;t be bound</source>
        <translation>Le socket %1 de l&apos;hôte de bureau ne peut pas être lié</translation>
    </message>
    <message>
        <source>The desktop host&apos;s socket %1 can&apos;t be opened</source>
        <translation>Le socket %1 de l&apos;hôte de bureau ne peut pas être ouvert</translation>
    </message>
    <message>
        <source>No socket for the desktop host</source>
        <translation>Aucun socket pour l&apos;hôte de bureau</translation>
    </message>
    <message>
        <source>The desktop host can&apos;t be reached at %1</source>
        <translation>L&apos;hôte de bureau est injoignable à %1</translation>
    </message>
    <message>
        <source>The desktop host at %1 belongs to another user.</source>
        <translation>L&apos;hôte de bureau à %1 appartient à un autre utilisateur.</translation>
    </message>
    <message>
        <source>The desktop host closed its socket before taking the request.</source>
        <translation>L&apos;hôte de bureau a fermé son socket avant de recevoir la demande.</translation>
    </message>
    <message>
        <source>The desktop host did not answer.</source>
        <translation>L&apos;hôte de bureau n&apos;a pas répondu.</translation>
    </message>
    <message>
        <source>The desktop slide show could not be started. %1</source>
        <translation>Le diaporama du bureau n&apos;a pas pu être lancé. %1</translation>
    </message>
    <message>
        <source>The desktop could not show the page. %1</source>
        <translation>Le bureau n&apos;a pas pu afficher la page. %1</translation>
    </message>
    <message>
        <source>another Desktop Sorvane</source>
        <translation>un autre Desktop Sorvane</translation>
    </message>
    <message>
        <source>The lock file &quot;%1&quot; can&apos;t be opened (error %2).</source>
        <translation>Le fichier de verrou « %1 » ne peut pas être ouvert (erreur %2).</translation>
    </message>
    <message>
        <source>%1 is still changing the slide show. Try again once it has finished.</source>
        <translation>%1 modifie encore le diaporama. Réessayez une fois qu&apos;il a terminé.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; can&apos;t be opened: %2.</source>
        <translation>Le dossier « %1 » ne peut pas être ouvert : %2.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; can&apos;t be locked: %2.</source>
        <translation>Le dossier « %1 » ne peut pas être verrouillé : %2.</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>erreur %1</translation>
    </message>
    <message>
        <source>The desktop refused %1: %2</source>
        <translation>Le bureau a refusé %1 : %2</translation>
    </message>
    <message>
        <source>The picture &quot;%1&quot; (%2 x %3 pixels) is too large to prepare in the memory available. The slide show keeps its earlier copy, or leaves it out when it has none.</source>
        <translation>L&apos;image « %1 » (%2 x %3 pixels) est trop grande pour être préparée dans la mémoire disponible. Le diaporama garde sa copie précédente, ou l&apos;omet s&apos;il n&apos;en a pas.</translation>
    </message>
    <message>
        <source>it could not be laid on the background</source>
        <translation>elle n&apos;a pas pu être posée sur le fond</translation>
    </message>
    <message>
        <source>Picture Too Large</source>
        <translation>Image trop grande</translation>
    </message>
    <message>
        <source>Creating Images...</source>
        <translation>Création des images...</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>The desktop slide show is not running.</source>
        <translation>Le diaporama du bureau n&apos;est pas lancé.</translation>
    </message>
    <message>
        <source>Windows shows your pictures as its own desktop slide show: one at a time, each for the time you chose, with its own fade between them. The page&apos;s transitions show in Preview.</source>
        <translation>Windows affiche vos images dans son propre diaporama du bureau : une à la fois, chacune pendant la durée choisie, avec son propre fondu entre elles. Les transitions de la page se voient dans l&apos;aperçu.</translation>
    </message>
    <message>
        <source>Windows Desktop Not Running</source>
        <translation>Bureau Windows arrêté</translation>
    </message>
    <message>
        <source>The Windows desktop is not running, so your pictures may not show on it until it starts again.</source>
        <translation>Le bureau Windows ne fonctionne pas ; vos images risquent de ne pas s&apos;y afficher avant son redémarrage.</translation>
    </message>
    <message>
        <source>The Windows desktop is not running, so your pictures may not show on it.<byte value="xd"/>
<byte value="xd"/>
Click &apos;OK&apos; to open the display settings.</source>
        <translation>Le bureau Windows ne fonctionne pas ; vos images risquent de ne pas s&apos;y afficher.<byte value="xd"/>
<byte value="xd"/>
Cliquez sur « OK » pour ouvrir les paramètres d&apos;affichage.</translation>
    </message>
    <message>
        <source>On Windows 10 and 11 your pictures become Windows&apos; own desktop slide show, which changes them with its own fade. The page&apos;s transitions show in Preview, in your web browser.</source>
        <translation>Sous Windows 10 et 11, vos images deviennent le diaporama du bureau de Windows, qui les fait changer avec son propre fondu. Les transitions de la page se voient dans l&apos;aperçu, dans votre navigateur web.</translation>
    </message>
    <message>
        <source>The desktop slide show has stopped, and your earlier wallpaper is back.</source>
        <translation>Le diaporama du bureau est arrêté et votre ancien fond d&apos;écran est revenu.</translation>
    </message>
</context>
<context>
    <name>SystemColor</name>
    <message>
        <source>Scroll Bars</source>
        <translation>Barres de défilement</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Bureau</translation>
    </message>
    <message>
        <source>Active Title Bar</source>
        <translation>Barre de titre active</translation>
    </message>
    <message>
        <source>Inactive Title Bar</source>
        <translation>Barre de titre inactive</translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation>Barre de menus</translation>
    </message>
    <message>
        <source>Window Background</source>
        <translation>Arrière-plan de fenêtre</translation>
    </message>
    <message>
        <source>Window Frame</source>
        <translation>Cadre de fenêtre</translation>
    </message>
    <message>
        <source>Menu Text</source>
        <translation>Texte de menu</translation>
    </message>
    <message>
        <source>Window Text</source>
        <translation>Texte de fenêtre</translation>
    </message>
    <message>
        <source>Active Title Bar Text</source>
        <translation>Texte de la barre de titre active</translation>
    </message>
    <message>
        <source>Active Border</source>
        <translation>Bordure active</translation>
    </message>
    <message>
        <source>Inactive Border</source>
        <translation>Bordure inactive</translation>
    </message>
    <message>
        <source>Application Workspace</source>
        <translation>Espace de travail de l&apos;application</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Sélection</translation>
    </message>
    <message>
        <source>Highlight Text</source>
        <translation>Texte sélectionné</translation>
    </message>
    <message>
        <source>Button Face</source>
        <translation>Face de bouton</translation>
    </message>
    <message>
        <source>Button Shadow</source>
        <translation>Ombre de bouton</translation>
    </message>
    <message>
        <source>Disabled Text</source>
        <translation>Texte désactivé</translation>
    </message>
    <message>
        <source>Button Text</source>
        <translation>Texte de bouton</translation>
    </message>
    <message>
        <source>Inactive Title Bar Text</source>
        <translation>Texte de la barre de titre inactive</translation>
    </message>
    <message>
        <source>Button Highlight</source>
        <translation>Surbrillance de bouton</translation>
    </message>
    <message>
        <source>Button Dark Shadow</source>
        <translation>Ombre foncée de bouton</translation>
    </message>
    <message>
        <source>Button Light Shadow</source>
        <translation>Ombre claire de bouton</translation>
    </message>
    <message>
        <source>ToolTip Text</source>
        <translation>Texte d&apos;info-bulle</translation>
    </message>
    <message>
        <source>ToolTip</source>
        <translation>Info-bulle</translation>
    </message>
    <message>
        <source>Button Alternate Face</source>
        <translation>Face de bouton alternative</translation>
    </message>
    <message>
        <source>Hot Tracking</source>
        <translation>Suivi du survol</translation>
    </message>
    <message>
        <source>Active Title Gradient</source>
        <translation>Dégradé de titre actif</translation>
    </message>
    <message>
        <source>Inactive Title Gradient</source>
        <translation>Dégradé de titre inactif</translation>
    </message>
    <message>
        <source>Menu Highlight</source>
        <translation>Sélection de menu</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
</context>
<context>
    <name>Transition</name>
    <message>
        <source>Barn Horizontal In</source>
        <translation>Porte de grange horizontale entrante</translation>
    </message>
    <message>
        <source>Barn Horizontal Out</source>
        <translation>Porte de grange horizontale sortante</translation>
    </message>
    <message>
        <source>Barn Vertical In</source>
        <translation>Porte de grange verticale entrante</translation>
    </message>
    <message>
        <source>Barn Vertical Out</source>
        <translation>Porte de grange verticale sortante</translation>
    </message>
    <message>
        <source>Blinds Down</source>
        <translation>Store vers le bas</translation>
    </message>
    <message>
        <source>Blinds Left</source>
        <translation>Store vers la gauche</translation>
    </message>
    <message>
        <source>Blinds Right</source>
        <translation>Store vers la droite</translation>
    </message>
    <message>
        <source>Blinds Up</source>
        <translation>Store vers le haut</translation>
    </message>
    <message>
        <source>Box In</source>
        <translation>Rectangle entrant</translation>
    </message>
    <message>
        <source>Box Out</source>
        <translation>Rectangle sortant</translation>
    </message>
    <message>
        <source>Checkerboard Down</source>
        <translation>Damier vers le bas</translation>
    </message>
    <message>
        <source>Checkerboard Right</source>
        <translation>Damier vers la droite</translation>
    </message>
    <message>
        <source>Circle In</source>
        <translation>Cercle entrant</translation>
    </message>
    <message>
        <source>Circle Out</source>
        <translation>Cercle sortant</translation>
    </message>
    <message>
        <source>Cover Down</source>
        <translation>Couvrir vers le bas</translation>
    </message>
    <message>
        <source>Cover Right</source>
        <translation>Couvrir vers la droite</translation>
    </message>
    <message>
        <source>Cross In</source>
        <translation>Croix entrante</translation>
    </message>
    <message>
        <source>Cross Out</source>
        <translation>Croix sortante</translation>
    </message>
    <message>
        <source>Fade</source>
        <translation>Fondu</translation>
    </message>
    <message>
        <source>Fade Overlap</source>
        <translation>Fondu enchaîné</translation>
    </message>
    <message>
        <source>Gradient Wipe Bottom To Top</source>
        <translation>Balayage dégradé de bas en haut</translation>
    </message>
    <message>
        <source>Gradient Wipe Left To Right</source>
        <translation>Balayage dégradé de gauche à droite</translation>
    </message>
    <message>
        <source>Gradient Wipe Right To Left</source>
        <translation>Balayage dégradé de droite à gauche</translation>
    </message>
    <message>
        <source>Gradient Wipe Top To Bottom</source>
        <translation>Balayage dégradé de haut en bas</translation>
    </message>
    <message>
        <source>Inset</source>
        <translation>Incrustation</translation>
    </message>
    <message>
        <source>Pie Wipe 10</source>
        <translation>Balayage en secteurs 10</translation>
    </message>
    <message>
        <source>Pie Wipe 2</source>
        <translation>Balayage en secteurs 2</translation>
    </message>
    <message>
        <source>Pie Wipe 20</source>
        <translation>Balayage en secteurs 20</translation>
    </message>
    <message>
        <source>Pie Wipe 4</source>
        <translation>Balayage en secteurs 4</translation>
    </message>
    <message>
        <source>Plus In</source>
        <translation>Plus entrant</translation>
    </message>
    <message>
        <source>Plus Out</source>
        <translation>Plus sortant</translation>
    </message>
    <message>
        <source>Radial Wipe</source>
        <translation>Balayage radial</translation>
    </message>
    <message>
        <source>Radial Wipe Clock</source>
        <translation>Balayage radial horaire</translation>
    </message>
    <message>
        <source>Radial Wipe Wedge</source>
        <translation>Balayage radial en coin</translation>
    </message>
    <message>
        <source>Random Bars Horizontal</source>
        <translation>Barres aléatoires horizontales</translation>
    </message>
    <message>
        <source>Random Bars Vertical</source>
        <translation>Barres aléatoires verticales</translation>
    </message>
    <message>
        <source>Random Dissolve</source>
        <translation>Dissolution aléatoire</translation>
    </message>
    <message>
        <source>Slide Hide</source>
        <translation>Glisser masquer</translation>
    </message>
    <message>
        <source>Slide Hide Many</source>
        <translation>Glisser masquer multiple</translation>
    </message>
    <message>
        <source>Slide Push</source>
        <translation>Glisser pousser</translation>
    </message>
    <message>
        <source>Slide Push Many</source>
        <translation>Glisser pousser multiple</translation>
    </message>
    <message>
        <source>Slide Swap</source>
        <translation>Glisser échanger</translation>
    </message>
    <message>
        <source>Slide Swap Many</source>
        <translation>Glisser échanger multiple</translation>
    </message>
    <message>
        <source>Spiral</source>
        <translation>Spirale</translation>
    </message>
    <message>
        <source>Star In</source>
        <translation>Étoile entrante</translation>
    </message>
    <message>
        <source>Star Out</source>
        <translation>Étoile sortante</translation>
    </message>
    <message>
        <source>Stretch Hide</source>
        <translation>Étirer masquer</translation>
    </message>
    <message>
        <source>Stretch Push</source>
        <translation>Étirer pousser</translation>
    </message>
    <message>
        <source>Stretch Spin</source>
        <translation>Étirer tourner</translation>
    </message>
    <message>
        <source>Strips Left Down</source>
        <translation>Bandes en bas à gauche</translation>
    </message>
    <message>
        <source>Strips Left Up</source>
        <translation>Bandes en haut à gauche</translation>
    </message>
    <message>
        <source>Strips Right Down</source>
        <translation>Bandes en bas à droite</translation>
    </message>
    <message>
        <source>Strips Right Up</source>
        <translation>Bandes en haut à droite</translation>
    </message>
    <message>
        <source>ZigZag</source>
        <translation>Zigzag</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
</context>
<context>
    <name>sorvane::AboutTab</name>
    <message>
        <source>A stack of slides with a landscape on the top one</source>
        <translation>Une pile de diapositives, un paysage sur celle du dessus</translation>
    </message>
    <message>
        <source>This program allows you to create a slide show web page on your desktop with no programming required. If you have any problems please email them to</source>
        <translation>Ce programme vous permet de créer un diaporama web sur votre bureau sans aucune programmation. En cas de problème, écrivez à</translation>
    </message>
    <message>
        <source>This program is freeware and is provided as-is, without warranty of any kind. You may pass it on to others freely.</source>
        <translation>Ce programme est un gratuiciel fourni tel quel, sans aucune garantie. Vous pouvez le transmettre librement.</translation>
    </message>
    <message>
        <source>Copyright © 2026 the Desktop Sorvane authors. Images are from</source>
        <translation>Copyright © 2026 les auteurs de Desktop Sorvane. Images de</translation>
    </message>
</context>
<context>
    <name>sorvane::ColorPicker</name>
    <message>
        <source>System colors</source>
        <translation>Couleurs système</translation>
    </message>
    <message>
        <source>Other Color...</source>
        <translation>Autre couleur...</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Couleur de fond</translation>
    </message>
    <message>
        <source>Background color: %1</source>
        <translation>Couleur de fond : %1</translation>
    </message>
    <message>
        <source>Background Color: %1</source>
        <translation>Couleur de fond : %1</translation>
    </message>
</context>
<context>
    <name>sorvane::MainWindow</name>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Set Wallpaper</source>
        <translation>Fond d&apos;écran</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>A&amp;ppliquer</translation>
    </message>
</context>
<context>
    <name>sorvane::OverwriteDialog</name>
    <message>
        <source>Overwrite?</source>
        <translation>Remplacer ?</translation>
    </message>
    <message>
        <source>Yes To All</source>
        <translation>Oui pour tous</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>No To All</source>
        <translation>Non pour tous</translation>
    </message>
    <message>
        <source>Overwrite image?</source>
        <translation>Remplacer l&apos;image ?</translation>
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
        <translation>Création de Sorvane...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
</context>
<context>
    <name>sorvane::SettingsPage</name>
    <message>
        <source>Pictures</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Pictures:</source>
        <translation>Images :</translation>
    </message>
    <message>
        <source>Add Picture</source>
        <translation>Ajouter une image</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>Retirer la sélection</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Aperçu :</translation>
    </message>
    <message>
        <source>Transform</source>
        <translation>Transition</translation>
    </message>
    <message>
        <source>Transform:</source>
        <translation>Transition :</translation>
    </message>
    <message>
        <source>Background Color:</source>
        <translation>Couleur de fond :</translation>
    </message>
    <message>
        <source>View Duration:</source>
        <translation>Durée d&apos;affichage :</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>secondes</translation>
    </message>
    <message>
        <source>Align Image</source>
        <translation>Aligner l&apos;image</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
</context>
</TS>
