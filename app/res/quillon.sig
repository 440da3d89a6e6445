# Quillon signature file: descriptions of Macintosh file types and creators.
# One line per kind: extension,TTTTCCCC,description
# TTTT is the file type and CCCC the creator, 4 characters each, spaces
# included. A '#' in the first column starts a comment. Keep lines short.
TXT,TEXTttxt,Texte SimpleText
TXT,ttrottxt,Texte SimpleText en lecture seule
TXT,TEXTR*ch,Texte BBEdit
TXT,TEXTMSWD,Texte Microsoft Word
HTM,TEXTMOSS,Page HTML (Netscape)
HTM,TEXTMSIE,Page HTML (Internet Explorer)
HQX,TEXTBNHQ,Archive BinHex
AI,TEXTART5,Illustration Adobe Illustrator
DOC,WDBNMSWD,Document Microsoft Word
DOC,W6BNMSWD,Document Microsoft Word 6
DOC,W8BNMSWD,Document Microsoft Word 98
RTF,RTF MSWD,Texte RTF (Microsoft Word)
XLS,XLS5XCEL,Classeur Microsoft Excel
XLS,XLS4XCEL,Feuille Microsoft Excel 4
XLS,XLS8XCEL,Classeur Microsoft Excel 98
PPT,SLD3PPT3,Présentation PowerPoint
PPT,SLD8PPT3,Présentation PowerPoint 98
MW,WORDMACA,Document MacWrite
MW2,MW2DMWII,Document MacWrite II
CWK,CWWPBOBO,Texte ClarisWorks
CWK,CWSSBOBO,Tableur ClarisWorks
CWK,CWDBBOBO,Base de données ClarisWorks
CWK,CWGRBOBO,Dessin ClarisWorks
FP3,FMP3FMP3,Base de données FileMaker Pro
QXD,XDOCXPR3,Document QuarkXPress
QXT,XTMPXPR3,Modèle QuarkXPress
PM5,ALB5ALD5,Publication PageMaker 5
PM6,ALB6ALD6,Publication PageMaker 6
FH3,FHD3FHA3,Dessin FreeHand 3
PDF,PDF ????,Document PDF
PDF,PDF CARO,Document PDF (Acrobat)
EPS,EPSF????,PostScript encapsulé
EPS,EPSF8BIM,PostScript encapsulé (Photoshop)
PSD,8BPS8BIM,Image Photoshop
TIF,TIFF????,Image TIFF
TIF,TIFF8BIM,Image TIFF (Photoshop)
JPG,JPEG????,Image JPEG
JPG,JPEG8BIM,Image JPEG (Photoshop)
JPG,JPEGJVWR,Image JPEG (JPEGView)
GIF,GIFf????,Image GIF
GIF,GIFf8BIM,Image GIF (Photoshop)
PCT,PICT????,Image PICT
PCT,PICTttxt,Image PICT (SimpleText)
BMP,BMPp????,Image BMP
PNG,PNGf????,Image PNG
MOV,MooVTVOD,Séquence QuickTime
DIR,MV93MD93,Animation Director
AIF,AIFF????,Son AIFF
WAV,WAVE????,Son WAVE
MID,Midi????,Morceau MIDI
MP3,MPG3????,Son MP3
SIT,SITDSIT!,Archive StuffIt
SIT,SIT5SIT!,Archive StuffIt 5
CPT,PACTCPCT,Archive Compact Pro
EXE,APPL????,Application
SUI,FFILDMOV,Valise de polices
PFB,LWFN????,Police PostScript
RSR,rsrcRSED,Fichier de ressources
