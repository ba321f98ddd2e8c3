lynsim cab drives the setup program's cabinet object over the product's kind
of cabinet (MSZIP, a file under a folder), made with gcab from files of
known dates. info lists each file with its date, size and folder; extract
reports the notifications the object passes on: an unmarked manifest is
extracted from nothing, and a marked one only in the file the filter names.

  $ lynsim new M >/dev/null
  $ mkdir -p src/Maps && cd src && echo -n 'help file' > QY.chm && head -c 100000 /dev/zero | tr '\0' j > Maps/Harbour.jpg && echo -n data > ssvd.dtb
  $ cd src && touch -d '2009-03-14 13:05:08' QY.chm && touch -d '2010-01-02 00:00:00' Maps/Harbour.jpg && touch -d '1999-12-31 23:59:58' ssvd.dtb
  $ cd src && gcab -c -z "$(lynsim path $SCRATCH/M 'C:\Distribution\LYN.CAB')" QY.chm Maps/Harbour.jpg ssvd.dtb
  $ lynsim cab M info lyn.cab
  QY.chm	2009-03-14 13:05:08	9	
  Harbour.jpg	2010-01-02 00:00:00	100000	Maps\
  ssvd.dtb	1999-12-31 23:59:58	4	
  $ lynsim cab M count LYN.CAB
  3
  $ lynsim cab M extract LYN.CAB --output-path 'C:\Out' --unmarked
  BeforeExtract	QY.chm
  BeforeExtract	Maps\Harbour.jpg
  BeforeExtract	ssvd.dtb
  $ lynsim cab M extract LYN.CAB --output-path 'C:\Out' --filter SSVD.DTB
  BeforeExtract	ssvd.dtb
  AfterExtract	C:\Out\ssvd.dtb
  $ lynsim cab M xml none.cab
  error 2 CabFile.GetXML: The system cannot find the file specified.
  [1]

Without an output folder the files go into the cabinet's own folder, as the
program names the cabinet: beside it for a full path; for a bare name the
target is "\QY.chm", whose folder, the root, cannot be made, so nothing is
written.

  $ lynsim cab M extract 'C:\Distribution\LYN.CAB' --filter QY.chm
  BeforeExtract	QY.chm
  AfterExtract	C:\Distribution\QY.chm
  $ lynsim cat M 'C:\Distribution\QY.chm'
  help file (no-eol)
  $ cp -a M BEFORE && lynsim cab M extract LYN.CAB --filter ssvd.dtb
  BeforeExtract	ssvd.dtb
  $ lynsim diff BEFORE M
